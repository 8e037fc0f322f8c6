#pragma once
// `expression relation 0` with a strength. A handle: the solver knows a
// constraint by identity, so add, remove and has take the same handle, and two
// constraints built alike are still two constraints.
#include <Layout/Expression.h>
#include <Layout/Strength.h>

#include <memory>
#include <string>

namespace layout {

enum class Relation { Equal, LessOrEqual, GreaterOrEqual };

class LAYOUT_EXPORT Constraint {
  public:
    // The expression is reduced on the way in.
    Constraint(const Expression& expression, Relation relation, double strength = kRequired);
    // The same relation with another strength: a new constraint.
    Constraint(const Constraint& other, double strength);

    const Expression& expression() const { return m_data->expression; }
    Relation relation() const { return m_data->relation; }
    double strength() const { return m_data->strength; }
    bool isRequired() const { return m_data->strength >= kRequired; }

    bool sameAs(const Constraint& other) const { return m_data == other.m_data; }
    const void* identity() const { return m_data.get(); }

    // "2 * x + -1 * y + 10 == 0 (1000)": what logs and errors show.
    std::string description() const;

  private:
    struct Data {
        Expression expression;
        Relation relation;
        double strength;
    };
    std::shared_ptr<const Data> m_data;
};

} // namespace layout
