#include <Layout/Solver.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using namespace layout;

// Adds every constraint and says which one failed, if any did.
void addAll(Solver& solver, const std::vector<Constraint>& constraints) {
    for (const Constraint& constraint : constraints) {
        Status status = solver.addConstraint(constraint);
        ASSERT_TRUE(status.ok()) << status.error().message();
    }
}

double solved(Solver& solver, const Variable& variable) {
    solver.updateVariables();
    return variable.value();
}

TEST(LayoutExpression, OperatorsBuildReducedConstraints) {
    Variable x("x"), y("y");
    Constraint constraint = 2 * x + 3 - x == y;
    ASSERT_EQ(constraint.expression().terms().size(), 2u);
    EXPECT_TRUE(constraint.expression().terms()[0].variable().sameAs(x));
    EXPECT_EQ(constraint.expression().terms()[0].coefficient(), 1.0);
    EXPECT_EQ(constraint.expression().terms()[1].coefficient(), -1.0);
    EXPECT_EQ(constraint.expression().constant(), 3.0);
    EXPECT_TRUE(constraint.isRequired());

    Constraint weaker = constraint | 250;
    EXPECT_FALSE(weaker.sameAs(constraint));
    EXPECT_EQ(weaker.strength(), 250.0);
    EXPECT_FALSE(weaker.isRequired());
    EXPECT_EQ(((x <= 1) | 5000).strength(), kRequired); // clipped
    EXPECT_EQ(((x <= 1) | -3).strength(), 0.0);

    // A variable minus itself leaves no term behind.
    EXPECT_TRUE((x - x == 4).expression().terms().empty());
    EXPECT_NE(constraint.description().find("x"), std::string::npos);
}

TEST(LayoutSolver, ChainsEqualitiesAndBoundsInequalities) {
    Solver solver;
    Variable left("left"), width("width"), right("right"), next("next");
    addAll(solver, {left == 16, width >= 44, (width == 10) | 500, right == left + width, next >= right + 8,
                    (next == 0) | 1});
    solver.updateVariables();
    EXPECT_EQ(left.value(), 16.0);
    EXPECT_EQ(width.value(), 44.0); // the required minimum beats the optional 10
    EXPECT_EQ(right.value(), 60.0);
    EXPECT_EQ(next.value(), 68.0);
}

TEST(LayoutSolver, StrongerOptionalConstraintsWinAndWeightsAdd) {
    Solver solver;
    Variable x("x");
    Constraint low = (x == 10) | 100, high = (x == 20) | 200;
    addAll(solver, {low, high});
    EXPECT_EQ(solved(solver, x), 20.0);
    ASSERT_TRUE(solver.removeConstraint(high));
    EXPECT_EQ(solved(solver, x), 10.0);

    // Strengths weigh linearly: two of 300 outweigh one of 500.
    Solver weighed;
    Variable y("y");
    addAll(weighed, {(y == 10) | 500, (y == 0) | 300});
    EXPECT_EQ(solved(weighed, y), 10.0);
    addAll(weighed, {(y == 0) | 300});
    EXPECT_EQ(solved(weighed, y), 0.0);
}

TEST(LayoutSolver, RemovedConstraintsCanComeBack) {
    Solver solver;
    Variable x("x"), y("y");
    Constraint pin = x == 30, follow = y == x + 5, floor = (y >= 50), weak = (y == 0) | 1;
    addAll(solver, {weak, pin, follow});
    EXPECT_EQ(solved(solver, y), 35.0);
    EXPECT_FALSE(solver.addConstraint(floor).ok()); // conflicts with pin + follow
    EXPECT_FALSE(solver.hasConstraint(floor));

    ASSERT_TRUE(solver.removeConstraint(pin));
    addAll(solver, {floor});
    EXPECT_EQ(solved(solver, y), 50.0);
    EXPECT_EQ(x.value(), 45.0);

    ASSERT_TRUE(solver.removeConstraint(floor));
    ASSERT_TRUE(solver.removeConstraint(follow));
    EXPECT_FALSE(solver.hasConstraint(follow));
    addAll(solver, {follow, pin});
    EXPECT_EQ(solved(solver, y), 35.0);
    EXPECT_TRUE(solver.hasConstraint(follow));
}

TEST(LayoutSolver, RedundantRequiredEqualitiesAreKeptAndContradictionsRefused) {
    Solver solver;
    Variable x("x"), y("y");
    Constraint first = x == 10, second = x == 10, through = y == x + 5, implied = y == 15;
    addAll(solver, {first, second, through, implied});
    EXPECT_EQ(solved(solver, y), 15.0);

    Constraint contradiction = y == 16;
    Status status = solver.addConstraint(contradiction);
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.error().kind(), ErrorKind::UnsatisfiableConstraint);

    // Each copy holds on its own.
    ASSERT_TRUE(solver.removeConstraint(first));
    ASSERT_TRUE(solver.removeConstraint(implied));
    EXPECT_EQ(solved(solver, x), 10.0);
    ASSERT_TRUE(solver.removeConstraint(second));
    addAll(solver, {contradiction});
    EXPECT_EQ(solved(solver, x), 11.0);
}

TEST(LayoutSolver, EditVariablesFollowSuggestionsAndLetGoWhenRemoved) {
    Solver solver;
    Variable width("width"), half("half");
    addAll(solver, {half * 2 == width, width >= 100, (width == 300) | 1});
    ASSERT_TRUE(solver.addEditVariable(width, 750));
    EXPECT_EQ(solved(solver, width), 100.0); // suggests 0 until told otherwise
    ASSERT_TRUE(solver.suggestValue(width, 500));
    EXPECT_EQ(solved(solver, half), 250.0);
    ASSERT_TRUE(solver.suggestValue(width, 40)); // below the floor
    EXPECT_EQ(solved(solver, width), 100.0);
    ASSERT_TRUE(solver.suggestValue(width, 640));
    EXPECT_EQ(solved(solver, width), 640.0);

    ASSERT_TRUE(solver.removeEditVariable(width));
    EXPECT_FALSE(solver.hasEditVariable(width));
    EXPECT_EQ(solved(solver, width), 300.0);
    Status stale = solver.suggestValue(width, 10);
    ASSERT_FALSE(stale.ok());
    EXPECT_EQ(stale.error().kind(), ErrorKind::UnknownEditVariable);
    EXPECT_TRUE(stale.error().variable()->sameAs(width));

    ASSERT_TRUE(solver.addEditVariable(width, 2));
    ASSERT_TRUE(solver.suggestValue(width, 420));
    EXPECT_EQ(solved(solver, width), 420.0);
}

TEST(LayoutSolver, ErrorsCarryTheirCulprit) {
    Solver solver;
    Variable x("x");
    Constraint pin = x == 1;
    addAll(solver, {pin});

    Status duplicate = solver.addConstraint(pin);
    ASSERT_FALSE(duplicate.ok());
    EXPECT_EQ(duplicate.error().kind(), ErrorKind::DuplicateConstraint);
    EXPECT_TRUE(duplicate.error().constraint()->sameAs(pin));

    Constraint stranger = x == 2;
    Status unsatisfiable = solver.addConstraint(stranger);
    ASSERT_FALSE(unsatisfiable.ok());
    EXPECT_EQ(unsatisfiable.error().kind(), ErrorKind::UnsatisfiableConstraint);
    EXPECT_TRUE(unsatisfiable.error().constraint()->sameAs(stranger));
    EXPECT_NE(unsatisfiable.error().message().find("x"), std::string::npos);

    Status unknown = solver.removeConstraint(stranger);
    EXPECT_EQ(unknown.error().kind(), ErrorKind::UnknownConstraint);
    EXPECT_TRUE(unknown.error().constraint()->sameAs(stranger));

    Status required = solver.addEditVariable(x, kRequired);
    EXPECT_EQ(required.error().kind(), ErrorKind::BadRequiredStrength);
    EXPECT_TRUE(required.error().variable()->sameAs(x));
    ASSERT_TRUE(solver.addEditVariable(x, 10));
    Status twice = solver.addEditVariable(x, 10);
    EXPECT_EQ(twice.error().kind(), ErrorKind::DuplicateEditVariable);
    EXPECT_TRUE(twice.error().variable()->sameAs(x));
    EXPECT_EQ(solver.removeEditVariable(Variable("y")).error().kind(), ErrorKind::UnknownEditVariable);
}

TEST(LayoutSolver, AnswersZeroNotNegativeZero) {
    Solver solver;
    Variable x("x");
    addAll(solver, {x * 2 == 0});
    EXPECT_FALSE(std::signbit(solved(solver, x)));
}

// The fault this solver family is known for: refusing a required constraint
// on the artificial-variable path used to keep part of it in the tableau, so
// later answers were wrong and the next suggestion aborted the process.
TEST(LayoutSolverRefusal, RefusedConstraintLeavesNoTrace) {
    Solver solver;
    Variable x("x");
    ASSERT_TRUE(solver.addEditVariable(x, 750));
    Constraint floor = x >= 2;
    addAll(solver, {floor});
    Status refused = solver.addConstraint(x <= 1);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().kind(), ErrorKind::UnsatisfiableConstraint);
    EXPECT_EQ(solved(solver, x), 2.0);

    ASSERT_TRUE(solver.removeConstraint(floor));
    EXPECT_EQ(solved(solver, x), 0.0);
    addAll(solver, {floor});
    ASSERT_TRUE(solver.suggestValue(x, 5));
    EXPECT_EQ(solved(solver, x), 5.0);
    ASSERT_TRUE(solver.suggestValue(x, -5));
    EXPECT_EQ(solved(solver, x), 2.0);
}

// On an undetermined system the answer depends on the basis the pivots left,
// so twins agree only if the refusal restored the tableau exactly.
TEST(LayoutSolverRefusal, TwinsAgreeEvenWhereTheAnswerIsNotUnique) {
    struct Twin {
        Variable a{"a"}, b{"b"}, c{"c"}, d{"d"};
        Solver solver;
        Twin() { addAll(solver, {a + b == 100, a >= 0, b >= 0, c - d == a, c >= 0, d >= 0, c + d <= 500}); }
        std::vector<double> values() {
            solver.updateVariables();
            return {a.value(), b.value(), c.value(), d.value()};
        }
    };
    Twin refusing, plain;
    EXPECT_FALSE(refusing.solver.addConstraint(refusing.b >= 200).ok());
    EXPECT_FALSE(refusing.solver.addConstraint(refusing.c + refusing.d >= 600).ok());
    EXPECT_EQ(refusing.values(), plain.values());

    for (Twin* twin : {&refusing, &plain}) {
        ASSERT_TRUE(twin->solver.addEditVariable(twin->d, 10));
        ASSERT_TRUE(twin->solver.suggestValue(twin->d, 30));
        addAll(twin->solver, {twin->a <= twin->b});
    }
    EXPECT_EQ(refusing.values(), plain.values());
    for (Twin* twin : {&refusing, &plain})
        ASSERT_TRUE(twin->solver.suggestValue(twin->d, 470));
    EXPECT_EQ(refusing.values(), plain.values());
}

// A row of views like a page, with a refusal in the middle: every answer after
// it must equal a solver that never saw the refused constraint.
TEST(LayoutSolverRefusal, AnswersMatchASolverThatNeverSawIt) {
    struct Page {
        Variable window{"window"};
        std::vector<Variable> left, width;
        std::vector<Constraint> constraints;
        Page() {
            for (int i = 0; i < 12; ++i) {
                left.emplace_back("left" + std::to_string(i));
                width.emplace_back("width" + std::to_string(i));
                Expression previous = i == 0 ? Expression(16) : left[i - 1] + width[i - 1] + 8;
                constraints.push_back(left[i] == previous);
                constraints.push_back(width[i] >= 20 + i);
                constraints.push_back((width[i] == 60) | (100 + i));
            }
            constraints.push_back(left.back() + width.back() <= window - 16);
        }
        std::vector<double> values(Solver& solver) {
            solver.updateVariables();
            std::vector<double> result;
            for (std::size_t i = 0; i < left.size(); ++i) {
                result.push_back(left[i].value());
                result.push_back(width[i].value());
            }
            return result;
        }
    };

    Page page, reference;
    Solver solver, fresh;
    for (auto [target, side] : {std::pair{&solver, &page}, std::pair{&fresh, &reference}}) {
        ASSERT_TRUE(target->addEditVariable(side->window, 750));
        ASSERT_TRUE(target->suggestValue(side->window, 390));
        addAll(*target, side->constraints);
    }
    // Every view is basic by now, so these can only go the artificial way.
    EXPECT_FALSE(solver.addConstraint(page.left[5] + page.width[5] >= page.left[6]).ok());
    EXPECT_FALSE(solver.addConstraint(page.left[11] >= page.window).ok());
    EXPECT_EQ(page.values(solver), reference.values(fresh));

    for (double windowWidth : {320.0, 1024.0, 100.0, 390.0}) {
        ASSERT_TRUE(solver.suggestValue(page.window, windowWidth));
        ASSERT_TRUE(fresh.suggestValue(reference.window, windowWidth));
        EXPECT_EQ(page.values(solver), reference.values(fresh)) << windowWidth;
    }
    addAll(solver, {page.width[3] == 90});
    addAll(fresh, {reference.width[3] == 90});
    EXPECT_EQ(page.values(solver), reference.values(fresh));
    ASSERT_TRUE(solver.removeConstraint(page.constraints[4]));
    ASSERT_TRUE(fresh.removeConstraint(reference.constraints[4]));
    EXPECT_EQ(page.values(solver), reference.values(fresh));
}

} // namespace
