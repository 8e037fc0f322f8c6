// Runs solver scripts so that another solver can be checked against this one
// line by line. One command per line, from the file named on the command line
// or from stdin:
//   solver                           start over with an empty solver
//   def ID STRENGTH OP CONSTANT [COEFFICIENT VARIABLE]...
//                                    names `sum + CONSTANT OP 0` (OP is ==, <= or >=;
//                                    STRENGTH a number or "required")
//   add ID | remove ID               the constraint named ID
//   edit VARIABLE STRENGTH | unedit VARIABLE | suggest VARIABLE VALUE
//   solve VARIABLE...                prints "VARIABLE VALUE" for each
// A refused command prints "error KIND ID-or-VARIABLE". Lines starting with #
// are comments.
#include <Layout/Solver.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

namespace {

using namespace layout;

const char* kindName(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::DuplicateConstraint:
        return "duplicate_constraint";
    case ErrorKind::UnsatisfiableConstraint:
        return "unsatisfiable_constraint";
    case ErrorKind::UnknownConstraint:
        return "unknown_constraint";
    case ErrorKind::DuplicateEditVariable:
        return "duplicate_edit_variable";
    case ErrorKind::UnknownEditVariable:
        return "unknown_edit_variable";
    case ErrorKind::BadRequiredStrength:
        return "bad_required_strength";
    case ErrorKind::NumericalFailure:
        return "numerical_failure";
    }
    return "unknown";
}

class Script {
  public:
    // False on a line it cannot read.
    bool run(const std::string& line) {
        std::istringstream in(line);
        std::string command;
        if (!(in >> command) || command[0] == '#')
            return true;
        if (command == "solver") {
            m_solver = std::make_unique<Solver>();
            m_variables.clear();
            m_constraints.clear();
            return true;
        }
        if (command == "def")
            return define(in);
        std::string name;
        if (!(in >> name))
            return false;
        if (command == "add" || command == "remove") {
            auto found = m_constraints.find(name);
            if (found == m_constraints.end())
                return false;
            report(command == "add" ? m_solver->addConstraint(found->second)
                                    : m_solver->removeConstraint(found->second),
                   name);
            return true;
        }
        if (command == "edit" || command == "suggest") {
            double number;
            if (!readNumber(in, number))
                return false;
            report(command == "edit" ? m_solver->addEditVariable(variable(name), number)
                                     : m_solver->suggestValue(variable(name), number),
                   name);
            return true;
        }
        if (command == "unedit") {
            report(m_solver->removeEditVariable(variable(name)), name);
            return true;
        }
        if (command == "solve") {
            m_solver->updateVariables();
            do
                std::printf("%s %.17g\n", name.c_str(), variable(name).value());
            while (in >> name);
            return true;
        }
        return false;
    }

  private:
    static bool readNumber(std::istream& in, double& number) {
        std::string text;
        if (!(in >> text))
            return false;
        if (text == "required") {
            number = kRequired;
            return true;
        }
        char* end = nullptr;
        number = std::strtod(text.c_str(), &end);
        return end != text.c_str() && *end == '\0';
    }

    bool define(std::istream& in) {
        std::string id, relationText;
        double strength, constant;
        if (!(in >> id) || !readNumber(in, strength) || !(in >> relationText) || !readNumber(in, constant))
            return false;
        Relation relation;
        if (relationText == "==")
            relation = Relation::Equal;
        else if (relationText == "<=")
            relation = Relation::LessOrEqual;
        else if (relationText == ">=")
            relation = Relation::GreaterOrEqual;
        else
            return false;
        std::vector<Term> terms;
        double coefficient;
        std::string name;
        while (readNumber(in, coefficient)) {
            if (!(in >> name))
                return false;
            terms.emplace_back(variable(name), coefficient);
        }
        m_constraints.insert_or_assign(
            id, Constraint(Expression(std::move(terms), constant), relation, strength));
        return true;
    }

    Variable variable(const std::string& name) {
        auto [it, fresh] = m_variables.try_emplace(name, name);
        return it->second;
    }

    static void report(const Status& status, const std::string& subject) {
        if (!status)
            std::printf("error %s %s\n", kindName(status.error().kind()), subject.c_str());
    }

    std::unique_ptr<Solver> m_solver = std::make_unique<Solver>();
    std::map<std::string, Variable> m_variables;
    std::map<std::string, Constraint> m_constraints;
};

} // namespace

int main(int argc, char** argv) {
    std::ifstream file;
    if (argc > 1) {
        file.open(argv[1]);
        if (!file) {
            std::fprintf(stderr, "cannot read %s\n", argv[1]);
            return 2;
        }
    }
    std::istream& in = argc > 1 ? file : std::cin;
    Script script;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!script.run(line)) {
            std::fprintf(stderr, "line %d: cannot read \"%s\"\n", number, line.c_str());
            return 2;
        }
    }
    return 0;
}
