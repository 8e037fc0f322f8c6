"""This solver against an independent one: random layouts, each solved by the
layout solver driver and by kiwisolver, must give the same value to every
variable and refuse the same commands.

Only determined layouts are compared, since an undetermined one has several
optimal answers. Every layout is built so that its optimum is a single point:

- variables fall into components; every variable of a component is
  +-root + offset, tied by required equalities;
- every component has an anchor that is never removed: a required value, an
  edit variable or an optional equality;
- optional constraints and edit variables name one variable with coefficient
  +-1 and each has its own strength, a distinct power of two. Along any
  direction the cost then changes by a signed sum of distinct powers of two,
  never zero while an anchor pulls, so no stretch of answers is flat;
- required constraints may tie two components (coefficients +-1 on their
  roots) or name any number of variables whose component has a required
  value, since those are constants.

kiwisolver alters its tableau when it refuses a required constraint, so after
a refusal the reference is a fresh kiwisolver that replays what was accepted.
"""
import os
import random
import subprocess
import unittest

import kiwisolver as kiwi

DRIVER = os.environ.get("LAYOUT_SOLVER_DRIVER")
LAYOUTS = int(os.environ.get("LAYOUT_ORACLE_LAYOUTS", "3000"))
SEED = int(os.environ.get("LAYOUT_ORACLE_SEED", "7102026"))
TOLERANCE = 1e-6
STRENGTHS = [2.0 ** power for power in range(-10, 10)]
KIWI_ERRORS = [
    (kiwi.DuplicateConstraint, "duplicate_constraint"),
    (kiwi.UnsatisfiableConstraint, "unsatisfiable_constraint"),
    (kiwi.UnknownConstraint, "unknown_constraint"),
    (kiwi.DuplicateEditVariable, "duplicate_edit_variable"),
    (kiwi.UnknownEditVariable, "unknown_edit_variable"),
    (kiwi.BadRequiredStrength, "bad_required_strength"),
]


def number(value):
    return repr(float(value))


class Layout:
    """One random layout: the driver's script and the answers kiwisolver gives."""

    def __init__(self, rng):
        self.rng = rng
        self.script = ["solver"]
        self.expected = []
        self.solver = kiwi.Solver()
        self.history = []  # accepted commands, for replay after a refusal
        self.variables = {}  # name -> kiwi.Variable
        self.constraints = {}  # id -> kiwi.Constraint
        self.present = set()
        self.removable = []  # extra constraints that may go and come back
        self.removed = []
        self.edits = {}  # name -> strength, while an edit variable
        self.anchor_edits = set()
        self.component = {}  # name -> component (union-find)
        self.pinned = set()  # components with a required value
        self.strengths = rng.sample(STRENGTHS, len(STRENGTHS))

    # Components.
    def find(self, name):
        root = self.component[name]
        while self.component[root] != root:
            root = self.component[root]
        return root

    def hard(self, name):
        return self.find(name) in self.pinned

    def new_variable(self, like=None):
        name = "v%d" % len(self.variables)
        self.variables[name] = kiwi.Variable(name)
        self.component[name] = self.component[like] if like else name
        return name

    def value(self, name):
        self.solver.updateVariables()
        return round(self.variables[name].value(), 6)

    # Commands, sent to both solvers.
    def run(self, line, action, subject):
        self.script.append(line)
        try:
            action(self.solver)
        except Exception as error:  # noqa: BLE001 - every kiwi error is compared
            kind = next(name for cls, name in KIWI_ERRORS if isinstance(error, cls))
            self.expected.append("error %s %s" % (kind, subject))
            if kind == "unsatisfiable_constraint":
                self.solver = kiwi.Solver()
                for replayed in self.history:
                    replayed(self.solver)
            return False
        self.history.append(action)
        return True

    def define(self, strength, relation, constant, terms):
        identifier = "c%d" % len(self.constraints)
        expression = constant + sum(coefficient * self.variables[name] for coefficient, name in terms)
        constraint = {"==": expression == 0, "<=": expression <= 0, ">=": expression >= 0}[relation]
        if strength != "required":
            constraint = constraint | strength
        self.constraints[identifier] = constraint
        parts = ["def", identifier, strength if strength == "required" else number(strength), relation,
                 number(constant)]
        for coefficient, name in terms:
            parts += [number(coefficient), name]
        self.script.append(" ".join(parts))
        return identifier

    def add(self, identifier):
        constraint = self.constraints[identifier]
        if self.run("add " + identifier, lambda solver: solver.addConstraint(constraint), identifier):
            self.present.add(identifier)
            return True
        return False

    def remove(self, identifier):
        constraint = self.constraints[identifier]
        if self.run("remove " + identifier, lambda solver: solver.removeConstraint(constraint), identifier):
            self.present.discard(identifier)
            return True
        return False

    def edit(self, name, strength):
        variable = self.variables[name]
        text = strength if strength == "required" else number(strength)
        kiwi_strength = kiwi.strength.required if strength == "required" else strength
        if self.run("edit %s %s" % (name, text), lambda solver: solver.addEditVariable(variable, kiwi_strength),
                    name):
            self.edits[name] = strength

    def unedit(self, name):
        variable = self.variables[name]
        if self.run("unedit " + name, lambda solver: solver.removeEditVariable(variable), name):
            del self.edits[name]

    def suggest(self, name, value):
        variable = self.variables[name]
        self.run("suggest %s %s" % (name, number(value)), lambda solver: solver.suggestValue(variable, value), name)

    def solve(self):
        names = sorted(self.variables, key=lambda name: int(name[1:]))
        self.script.append("solve " + " ".join(names))
        self.solver.updateVariables()
        self.expected += ["%s %s" % (name, number(self.variables[name].value())) for name in names]

    # Building blocks.
    def signed(self):
        return self.rng.choice([1.0, -1.0])

    def scaled(self, relation, constant, terms):
        """The same constraint, written with another scale."""
        factor = self.rng.choice([1.0, 1.0, 2.0, 0.5, -1.0, -3.0])
        if factor < 0:
            relation = {"==": "==", "<=": ">=", ">=": "<="}[relation]
        return relation, constant * factor, [(coefficient * factor, name) for coefficient, name in terms]

    def anchor(self):
        root = self.new_variable()
        kind = self.rng.choice(["pin", "edit", "optional"])
        target = self.rng.randint(-200, 400)
        if kind == "pin":
            self.add(self.define("required", *self.scaled("==", -target, [(1.0, root)])))
            self.pinned.add(root)
        elif kind == "edit":
            self.edit(root, self.strengths.pop())
            self.anchor_edits.add(root)
            self.suggest(root, target)
        else:
            sign = self.signed()
            self.add(self.define(self.strengths.pop(), "==", -sign * target, [(sign, root)]))

    def link(self):
        """A new variable: +-(a variable) + (pinned variables) + constant."""
        base = self.rng.choice(list(self.variables))
        fixed = [name for name in self.variables if self.hard(name)]
        extra = self.rng.sample(fixed, min(len(fixed), self.rng.randint(0, 2)))
        name = self.new_variable(like=base)
        terms = [(1.0, name), (-self.signed(), base)] + [(-self.signed(), other) for other in extra]
        self.add(self.define("required", *self.scaled("==", float(self.rng.randint(-50, 50)), terms)))

    def optional(self):
        if len(self.strengths) <= 2:
            return
        name = self.rng.choice(list(self.variables))
        sign = self.signed()
        relation = self.rng.choice(["==", "<=", ">="])
        target = self.value(name) + self.rng.choice([-30, -8, 0, 5, 40])
        if sign < 0:
            relation = {"==": "==", "<=": ">=", ">=": "<="}[relation]
        identifier = self.define(self.strengths.pop(), relation, -sign * target, [(sign, name)])
        if self.add(identifier):
            self.removable.append(identifier)

    def required_inequality(self):
        names = list(self.variables)
        first = self.rng.choice(names)
        terms = [(self.signed(), first)]
        # A second component ties in with coefficient +-1; pinned ones are
        # constants and may come in any number.
        others = [name for name in names if self.find(name) != self.find(first) or self.hard(name)]
        if others and self.rng.random() < 0.6:
            terms.append((self.signed(), self.rng.choice(others)))
        fixed = [name for name in names if self.hard(name) and name not in {n for _, n in terms}]
        if fixed and self.rng.random() < 0.4:
            terms.append((self.signed(), self.rng.choice(fixed)))
        if len({name for _, name in terms}) < len(terms):
            return
        current = sum(coefficient * self.value(name) for coefficient, name in terms)
        relation = self.rng.choice(["<=", ">="])
        constant = -(current + self.rng.choice([-25, -3, 0, 0, 4, 30]))
        identifier = self.define("required", *self.scaled(relation, constant, terms))
        if self.add(identifier):
            self.removable.append(identifier)

    def required_equality(self):
        """A required value for one variable, or a tie between two components."""
        names = list(self.variables)
        first = self.rng.choice(names)
        shift = self.rng.choice([0, 0, 0, 7, -12])
        if self.rng.random() < 0.5:
            terms = [(1.0, first)]
            constant = -(self.value(first) + shift)
        else:
            second = self.rng.choice(names)
            terms = [(1.0, first), (-self.signed(), second)]
            constant = -(self.value(first) + terms[1][0] * self.value(second) + shift)
        terms = [(coefficient, name) for coefficient, name in terms if coefficient]
        if len(terms) == 2 and terms[0][1] == terms[1][1]:
            return
        if self.add(self.define("required", *self.scaled("==", constant, terms))):
            roots = {self.find(name) for _, name in terms}
            pinned = len(terms) == 1 or bool(roots & self.pinned)
            merged = roots.pop()
            for root in roots:
                self.component[root] = merged
            if pinned:
                self.pinned.add(merged)

    def extra_edit(self):
        choices = [name for name in self.variables if name not in self.edits]
        if not choices or len(self.strengths) <= 2:
            return
        name = self.rng.choice(choices)
        self.edit(name, self.strengths.pop())
        self.suggest(name, self.value(name) + self.rng.randint(-40, 40))

    def step(self):
        rng = self.rng
        roll = rng.random()
        if roll < 0.16:
            self.optional()
        elif roll < 0.30:
            self.required_inequality()
        elif roll < 0.38:
            self.required_equality()
        elif roll < 0.50 and self.edits:
            name = rng.choice(sorted(self.edits))
            self.suggest(name, self.value(name) + rng.choice([-60, -5, 3, 25, 90]))
        elif roll < 0.55:
            self.extra_edit()
        elif roll < 0.60:
            removable = [name for name in self.edits if name not in self.anchor_edits]
            if removable:
                name = rng.choice(removable)
                strength = self.edits[name]
                self.unedit(name)
                if rng.random() < 0.5:
                    self.edit(name, strength)
                    self.suggest(name, self.value(name) + rng.randint(-20, 20))
        elif roll < 0.68 and self.removable:
            identifier = self.removable.pop(rng.randrange(len(self.removable)))
            if self.remove(identifier):
                self.removed.append(identifier)
        elif roll < 0.74 and self.removed:
            identifier = self.removed.pop(rng.randrange(len(self.removed)))
            if self.add(identifier):
                self.removable.append(identifier)
        elif roll < 0.82 and self.present:
            # Out and straight back in: whatever it was, it held a moment ago.
            identifier = rng.choice(sorted(self.present))
            self.remove(identifier)
            self.add(identifier)
        elif roll < 0.90:
            self.mistake()
        else:
            self.solve()

    def mistake(self):
        rng = self.rng
        kind = rng.randrange(5)
        name = rng.choice(list(self.variables))
        if kind == 0 and self.present:
            self.add(rng.choice(sorted(self.present)))
        elif kind == 1 and self.removed:
            self.remove(rng.choice(self.removed))
        elif kind == 2 and name not in self.edits:
            self.suggest(name, 1.0)
        elif kind == 3 and self.edits:
            name = rng.choice(sorted(self.edits))
            self.edit(name, self.edits[name])
        elif kind == 4 and name not in self.edits:
            self.edit(name, "required")

    def build(self):
        for _ in range(self.rng.randint(1, 4)):
            self.anchor()
        for _ in range(self.rng.randint(1, 7)):
            self.link()
        for _ in range(self.rng.randint(4, 24)):
            self.step()
        self.solve()
        return self


def compare(expected, actual):
    """Where two answers differ, or None."""
    for index, (want, got) in enumerate(zip(expected, actual)):
        want_parts, got_parts = want.split(), got.split()
        if len(want_parts) == 2 and len(got_parts) == 2 and want_parts[0] == got_parts[0]:
            try:
                if abs(float(want_parts[1]) - float(got_parts[1])) <= TOLERANCE:
                    continue
            except ValueError:
                pass
        if want != got:
            return index
    return None if len(expected) == len(actual) else min(len(expected), len(actual))


class SolverOracleTest(unittest.TestCase):
    def test_random_determined_layouts_match_kiwisolver(self):
        self.assertTrue(DRIVER, "LAYOUT_SOLVER_DRIVER names the driver program")
        rng = random.Random(SEED)
        layouts = [Layout(rng).build() for _ in range(LAYOUTS)]
        script = "\n".join(line for layout in layouts for line in layout.script) + "\n"
        run = subprocess.run([DRIVER], input=script, capture_output=True, text=True, timeout=240)
        self.assertEqual(run.returncode, 0, run.stderr)
        output = run.stdout.splitlines()

        refusals = sum(line.startswith("error unsatisfiable") for layout in layouts for line in layout.expected)
        self.assertGreater(refusals, LAYOUTS // 20, "the layouts exercise refusals")
        start = 0
        for number, layout in enumerate(layouts):
            actual = output[start:start + len(layout.expected)]
            where = compare(layout.expected, actual)
            if where is not None:
                self.fail("layout %d differs at answer line %d:\nkiwisolver: %s\nthis solver: %s\nscript:\n%s" % (
                    number, where, layout.expected[where:where + 3], actual[where:where + 3],
                    "\n".join(layout.script)))
            start += len(layout.expected)
        self.assertEqual(start, len(output), "no answers beyond the last layout")


if __name__ == "__main__":
    unittest.main()
