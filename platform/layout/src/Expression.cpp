#include <Layout/Expression.h>

#include <unordered_map>

namespace layout {

double Expression::value() const {
    double result = m_constant;
    for (const Term& term : m_terms)
        result += term.value();
    return result;
}

Expression Expression::reduced() const {
    std::vector<Term> terms;
    terms.reserve(m_terms.size());
    std::unordered_map<const void*, std::size_t> position;
    for (const Term& term : m_terms) {
        auto [it, fresh] = position.try_emplace(term.variable().identity(), terms.size());
        if (fresh)
            terms.push_back(term);
        else
            terms[it->second] = Term(term.variable(), terms[it->second].coefficient() + term.coefficient());
    }
    std::erase_if(terms, [](const Term& term) { return term.coefficient() == 0.0; });
    return Expression(std::move(terms), m_constant);
}

} // namespace layout
