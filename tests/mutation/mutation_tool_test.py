#!/usr/bin/env python3
"""Tests of scripts/mutation on its own small example, tests/mutation/example:
the mutants each rule makes of band.cpp, and what a run reports of them.
Then faults of the kinds people write, planted by hand in the program's own
sources, each of which the unit tests must fail on.
Ends with a line "N passed, N failed"."""

import fcntl
import importlib.machinery
import importlib.util
import os
import re
import shutil
import subprocess
import sys
import unittest

TOP = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SCRATCH = os.path.join(TOP, 'build', 'mutation-tool-test')
EXAMPLE = os.path.join(SCRATCH, 'example')
LISTED = os.path.join(SCRATCH, 'equivalent-mutants.txt')
# The function and the code of each line of band.cpp that has mutants: a
# mutant is named by them, not by the line's number.
LINES = {
    9: ('PointsAbove', 'int PointsAbove(int score, int mark) { return score - mark; }'),
    14: ('Band', 'CountBand();'),
    15: ('Band', 'if (score < passMark) return 0;'),
    16: ('Band', 'int band = PointsAbove(score, passMark) / 10 + 1;'),
    17: ('Band', 'return band > 5 ? 5 : band;'),
    21: ('(file scope)', 'int mode = OPAQUE;'),
    37: ('Mark', 'int band = Band(score, passMark);'),
    38: ('Mark', 'if (late && band >= 1) band = band - 1;'),
    39: ('Mark', 'SetMode(TRANSPARENT);'),
    40: ('Mark', 'Show(band);'),
    41: ('Mark', 'return band;'),
    44: ('MarkOnTime', 'int MarkOnTime(int score, int passMark) { return Mark(score, passMark, false); }'),
}


def AT(line):
    """How the names of the mutants of band.cpp's line begin."""
    return 'band.cpp: %s: "%s": ' % LINES[line]


def line_of(name):
    return next((line for line in LINES if name.startswith(AT(line))), None)


SURVIVOR = AT(14) + 'CountBand(); → (removed)'


def mutation(*options):
    """Exit status and output of scripts/mutation on the example's band.cpp."""
    result = subprocess.run([os.path.join(TOP, 'scripts', 'mutation'), '--root', EXAMPLE, '--equivalents', LISTED,
                             *options, os.path.join(EXAMPLE, 'band.cpp')],
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    return result.returncode, result.stdout


def outcomes(output):
    """{mutant: outcome} from the list that --verbose prints."""
    lines = output.split('Every mutant:\n')[1].split('\n\n')[0].splitlines()
    return {line[17:]: line[:16].strip() for line in lines}


def survivors(output):
    return output.split('Survivors: ')[1].split('\n\n')[0].splitlines()[1:]


def total(output):
    """The numbers of the table's total line."""
    line = next(line for line in output.splitlines() if line.startswith('total'))
    return [int(word) for word in line.replace('/', ' ').split()[1:7]]


def stamps(folder):
    """{path: modification time} of every file and folder under folder."""
    paths = [os.path.join(d, n) for d, dirs, names in os.walk(folder) for n in dirs + names]
    return {path: os.lstat(path).st_mtime_ns for path in paths}


def setUpModule():
    shutil.rmtree(SCRATCH, ignore_errors=True)
    shutil.copytree(os.path.join(TOP, 'tests', 'mutation', 'example'), EXAMPLE)


class MutantsOfEachRule(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        status, output = mutation('--list')
        assert status == 0, output
        cls.names = output.splitlines()

    def on_line(self, line, start=''):
        return [name for name in self.names if name.startswith(AT(line) + start)]

    def test_a_relational_operator_becomes_each_of_the_other_five(self):
        self.assertEqual(self.on_line(15, '<'), [AT(15) + '< → <=', AT(15) + '< → >', AT(15) + '< → >=',
                                                  AT(15) + '< → ==', AT(15) + '< → !='])

    def test_an_arithmetic_operator_becomes_each_of_the_other_three(self):
        self.assertEqual(self.on_line(9, '-'), [AT(9) + '- → +', AT(9) + '- → *', AT(9) + '- → /'])
        self.assertEqual(self.on_line(16, '/'), [AT(16) + '/ → +', AT(16) + '/ → -', AT(16) + '/ → *'])

    def test_a_constant_becomes_zero_one_minus_one_and_its_neighbours(self):
        self.assertEqual(self.on_line(16, '10'), [AT(16) + '10 → 0', AT(16) + '10 → 1', AT(16) + '10 → -1',
                                                   AT(16) + '10 → 11', AT(16) + '10 → 9'])
        self.assertEqual(self.on_line(16, '1 '), [AT(16) + '1 → 0', AT(16) + '1 → -1', AT(16) + '1 → 2'])

    def test_conditions_of_if_and_of_the_conditional_operator_are_negated(self):
        self.assertIn(AT(15) + 'score < passMark → !(score < passMark)', self.names)
        self.assertIn(AT(17) + 'band > 5 → !(band > 5)', self.names)

    def test_a_statement_that_is_only_a_call_is_removed(self):
        self.assertEqual(self.on_line(14), [SURVIVOR])

    def test_a_returned_value_becomes_each_variable_and_simple_value_of_its_type(self):
        self.assertEqual(self.on_line(9, 'score - mark'), [AT(9) + 'score - mark → score',
                                                           AT(9) + 'score - mark → mark',
                                                           AT(9) + 'score - mark → 0', AT(9) + 'score - mark → 1'])

    def test_an_argument_becomes_its_types_neutral_value_and_each_other_variable_of_its_type(self):
        self.assertEqual(self.on_line(16, 'score'), [AT(16) + 'score → 0', AT(16) + 'score → passMark'])
        self.assertEqual(self.on_line(16, 'passMark'), [AT(16) + 'passMark → 0', AT(16) + 'passMark → score'])
        self.assertEqual(self.on_line(39, 'TRANSPARENT → 0'), [AT(39) + 'TRANSPARENT → 0'])

    def test_a_calls_result_is_dropped_for_another_value_of_its_type_the_call_still_made(self):
        self.assertEqual(self.on_line(37, 'Band(score, passMark) → ('),
                         [AT(37) + 'Band(score, passMark) → (Band(score, passMark), %s)' % value
                          for value in ('score', 'passMark', '0', '1')])
        self.assertEqual(self.on_line(44, 'return'),
                         [AT(44) + 'return Mark(score, passMark, false); → '
                          '{ Mark(score, passMark, false); return %s; }' % value
                          for value in ('score', 'passMark', '0', '1')])

    def test_an_assigned_value_becomes_each_other_variable_and_simple_value_of_its_type(self):
        self.assertEqual(self.on_line(38, 'band - 1 →'), [AT(38) + 'band - 1 → %s' % value
                                                          for value in ('score', 'passMark', '0', '1')])

    def test_each_operand_of_a_logical_and_is_removed(self):
        self.assertEqual(self.on_line(38, 'late && band >= 1 → '),
                         [AT(38) + 'late && band >= 1 → !(late && band >= 1)',
                          AT(38) + 'late && band >= 1 → band >= 1', AT(38) + 'late && band >= 1 → late'])

    def test_a_call_is_swapped_with_the_next_but_independent_assignments_are_not(self):
        self.assertEqual(self.on_line(39, 'SetMode(TRANSPARENT); Show'),
                         [AT(39) + 'SetMode(TRANSPARENT); Show(band); → Show(band); SetMode(TRANSPARENT);'])
        self.assertEqual([name for name in self.names if ': "shownBand = band;": ' in name], [])

    def test_a_named_constant_becomes_each_other_of_its_family_where_it_is_used_not_declared(self):
        self.assertEqual(self.on_line(21), [AT(21) + 'OPAQUE → TRANSPARENT'])
        self.assertIn(AT(39) + 'TRANSPARENT → OPAQUE', self.names)

    def test_moving_the_code_leaves_every_name_alone(self):
        moved = os.path.join(SCRATCH, 'moved')
        shutil.rmtree(moved, ignore_errors=True)
        os.makedirs(moved)
        with open(os.path.join(EXAMPLE, 'band.cpp'), encoding='utf-8') as f:
            code = f.read()
        with open(os.path.join(moved, 'band.cpp'), 'w', encoding='utf-8') as f:
            f.write('// Lines added above move every line of the file down.\n\n' + code.replace('\n\n', '\n\n\n'))
        result = subprocess.run([os.path.join(TOP, 'scripts', 'mutation'), '--root', moved, '--list',
                                 os.path.join(moved, 'band.cpp')], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                text=True)
        self.assertEqual(result.stdout.splitlines(), self.names)

    def test_declarations_comments_and_the_include_line_are_left_alone(self):
        self.assertEqual({line_of(name) for name in self.names}, set(LINES))


class RunOverTheExample(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        if os.path.exists(LISTED):
            os.remove(LISTED)
        cls.status, cls.output = mutation('--verbose')
        with open(LISTED, 'w', encoding='utf-8') as f:
            f.write('# judged by hand\n')
            f.write(SURVIVOR + ' # the count is kept for statistics no test reads\n')
            f.write(AT(15) + '< → <= # a mutant the tests kill\n')
            f.write('band.cpp: Band: "int gone = 1;": 1 → 0 # a mutant of a line that is gone\n')
        # A header deleted from the tree since the workers copied it.
        workers = os.path.join(EXAMPLE, 'build', 'mutation')
        cls.stale = [os.path.join(workers, worker, 'src', 'moved_away.h')
                     for worker in os.listdir(workers) if worker.startswith('worker-')]
        for stale in cls.stale:
            with open(stale, 'w') as f:
                f.write('#error a file gone from the tree is still built\n')
        cls.listed_status, cls.listed_output = mutation('--verbose')

    def test_a_mutant_the_test_program_fails_on_is_killed(self):
        self.assertEqual(outcomes(self.output)[AT(15) + '< → <='], 'killed')

    def test_the_mistakes_people_make_are_killed_by_the_examples_checks(self):
        for name in (AT(37) + 'Band(score, passMark) → (Band(score, passMark), 1)',
                     AT(38) + 'late && band >= 1 → band >= 1',
                     AT(39) + 'SetMode(TRANSPARENT); Show(band); → Show(band); SetMode(TRANSPARENT);',
                     AT(21) + 'OPAQUE → TRANSPARENT', AT(40) + 'band → 0'):
            self.assertEqual(outcomes(self.output)[name], 'killed', name)

    def test_a_mutant_that_changes_no_object_code_is_equivalent(self):
        self.assertEqual(outcomes(self.output)[AT(17) + '> → >='], 'same object code')

    def test_the_untested_line_survives_and_is_printed(self):
        self.assertEqual(outcomes(self.output)[SURVIVOR], 'survived')
        self.assertEqual(survivors(self.output), [SURVIVOR])

    def test_the_table_adds_up(self):
        mutants, killed, survived, same_object_code, listed, not_built = total(self.output)
        self.assertEqual(mutants, len(outcomes(self.output)))
        self.assertEqual(mutants, killed + survived + same_object_code + listed + not_built)
        self.assertEqual((survived, listed), (1, 0))
        self.assertIn('%.1f %%' % (100 * killed / (killed + survived)), self.output)

    def test_an_unlisted_survivor_fails_the_run(self):
        self.assertEqual(self.status, 1)

    def test_a_listed_survivor_is_counted_as_listed_and_the_run_passes(self):
        self.assertEqual(outcomes(self.listed_output)[SURVIVOR], 'listed')
        self.assertEqual(total(self.listed_output)[2:5:2], [0, 1])
        self.assertEqual(survivors(self.listed_output), [])
        self.assertEqual(self.listed_status, 0)

    def test_listed_mutants_that_are_gone_or_killed_are_reported(self):
        self.assertIn('Listed as equivalent, no longer a mutant: band.cpp: Band: "int gone = 1;": 1 → 0',
                      self.listed_output)
        self.assertIn('Listed as equivalent, but killed: ' + AT(15) + '< → <=', self.listed_output)

    def test_a_file_gone_from_the_tree_is_gone_from_the_workers_copies(self):
        self.assertTrue(self.stale)
        for stale in self.stale:
            self.assertFalse(os.path.exists(stale), stale)

    def test_a_second_run_at_the_same_time_stops_and_touches_none_of_the_first_ones_copies(self):
        scratch = os.path.join(EXAMPLE, 'build', 'mutation')
        with open(os.path.join(scratch, 'lock'), 'a') as held:
            fcntl.flock(held, fcntl.LOCK_EX | fcntl.LOCK_NB)
            before = stamps(scratch)
            result = subprocess.run([os.path.join(TOP, 'scripts', 'mutation'), '--root', EXAMPLE,
                                     os.path.join(EXAMPLE, 'band.cpp')],
                                    stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, timeout=60)
            after = stamps(scratch)
        self.assertEqual(result.returncode, 2)
        self.assertIn('Another run of scripts/mutation is using', result.stderr)
        self.assertEqual(before, after)


def load_tool():
    loader = importlib.machinery.SourceFileLoader('mutation', os.path.join(TOP, 'scripts', 'mutation'))
    found = importlib.util.spec_from_loader('mutation', loader)
    module = importlib.util.module_from_spec(found)
    loader.exec_module(module)
    return module


class PlantedFault:
    """One fault in a file of the program, in the shape the tool's workers try."""

    def __init__(self, rel, original, planted):
        with open(os.path.join(TOP, rel), encoding='utf-8') as f:
            self.text = f.read()
        assert self.text.count(original) == 1, '%s no longer holds: %s' % (rel, original)
        self.file, self.planted = rel, self.text.replace(original, planted)
        self.source = self  # the worker puts source.text back

    def mutated(self):
        return self.planted


# Each fault as a person could write it; the unit tests must fail on each.
KNOWN_FAULTS = {
    'lParam of a press passed on after its repaint replaced by 0': (
        'caption/caption_hook.cpp',
        'return CallPreviousProc(previous, window, message, wParam, lParam);\n    if (message == WM_NCLBUTTONDOWN',
        'return CallPreviousProc(previous, window, message, wParam, 0);\n    if (message == WM_NCLBUTTONDOWN'),
    'the passed-on answer dropped for the repaint\'s': (
        'caption/caption_hook.cpp',
        'if (IsPassedOnAfterRepaint(message, wParam)) return CallPreviousProc(previous, window, message, wParam, lParam);',
        'if (IsPassedOnAfterRepaint(message, wParam)) {\n        CallPreviousProc(previous, window, message, wParam, lParam);\n'
        '        return forwardResult;\n    }'),
    'the answer of the move dropped for the repaint\'s': (
        'caption/caption_hook.cpp',
        'return SendMessageA(CaptionPaintState.hookedWindow, WM_SYSCOMMAND, SC_MOVE, 0);',
        'SendMessageA(CaptionPaintState.hookedWindow, WM_SYSCOMMAND, SC_MOVE, 0);\n        return forwardResult;'),
    '"parent &&" left out where wParam is the window itself': (
        'caption/paint_cycle.cpp',
        'if (parent && reinterpret_cast<HWND>(wParam) == window) return false;',
        'if (reinterpret_cast<HWND>(wParam) == window) return false;'),
    'the MDI parent asked, its answer ignored': (
        'caption/paint_cycle.cpp',
        '    if (parent && IsActiveMdiChild(parent)) return true;\n    return GetActiveWindow() == window;',
        '    if (parent) IsActiveMdiChild(parent);\n    return GetActiveWindow() == window;'),
    'the title drawn OPAQUE': (
        'caption/draw_caption.cpp', 'SetBkMode(memoryDC, TRANSPARENT);', 'SetBkMode(memoryDC, OPAQUE);'),
    'the caption font loaded and the hook put in before the scheme is set': (
        'app/lifecycle.h',
        '    form.Timer1.SetInterval(1);\n    CaptionScheme.customColors',
        '    form.Timer1.SetInterval(1);\n    LoadCaptionFont();\n    HookCaption(form);\n'
        '    CaptionScheme.customColors'),
}


class KnownFaults(unittest.TestCase):
    """Each fault planted in a copy of the tree, built and tested as the tool
    tries a mutant (the fault that moves statements also drops them below)."""

    @classmethod
    def setUpClass(cls):
        tool = load_tool()
        scratch = os.path.join(TOP, 'build', 'known-faults')
        files = sorted({rel for rel, _, _ in KNOWN_FAULTS.values()})
        cls.worker = tool.Worker(TOP, scratch, 0, 'unit_tests', len(os.sched_getaffinity(0)))
        cls.worker.prepare(files)
        assert not cls.worker.failure, cls.worker.failure
        cls.tests = tool.Tests(cls.worker.binary, scratch, 0.1)

    def outcome(self, name):
        rel, original, planted = KNOWN_FAULTS[name]
        fault = PlantedFault(rel, original, planted)
        if name.startswith('the caption font loaded'):
            tail = '    LoadCaptionFont();\n    HookCaption(form);\n}'
            fault.planted = fault.planted[::-1].replace(tail[::-1], '}', 1)[::-1]
            self.assertEqual(fault.planted.count('HookCaption(form);'), 1)
        return self.worker.try_mutant(fault, self.tests)


for number, name in enumerate(KNOWN_FAULTS, 1):
    setattr(KnownFaults, 'test_%d_%s' % (number, '_'.join(re.findall(r'\w+', name))),
            lambda self, name=name: self.assertEqual(self.outcome(name), 'killed', name))


if __name__ == '__main__':
    result = unittest.main(exit=False).result
    failed = len(result.failures) + len(result.errors)
    sys.stderr.flush()
    print('%d passed, %d failed' % (result.testsRun - failed, failed), flush=True)
    sys.exit(1 if failed else 0)
