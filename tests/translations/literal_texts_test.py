"""Every text a user reads goes through the translation system: no Japanese in a string literal
of the sources (only the Japanese system's font names, which are data), and no widget text, tooltip,
title or message set from a bare literal. A line may opt out with "// untranslated: <why>"."""

import os
import re
import sys
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
FOLDERS = ["src", "resources/dialogs"]
JAPANESE = re.compile("[\u3000-\u30ff\u3400-\u9fff\uff00-\uffef]")
# The faces the settings name, as the Japanese system spells them, and the log-in entry's
# localized comment: data, never shown as an interface text.
ALLOWED_JAPANESE = re.compile(r"^(ＭＳ [ＰP]?(ゴシック|明朝)|Comment\[ja\]=.*)$")
LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
SETTER = re.compile(
    r"\b(setText|setToolTip|setWindowTitle|setStatusTip|setPlaceholderText|setWhatsThis|addTab|"
    r"addRow|addItem|setTitle|showMessage|addAction|addMenu|setLabelText|setTabText)\(\s*"
    r"(?:QStringLiteral\(|QString::fromUtf8\(|QLatin1String\(|QString\()?\s*\"([^\"]*)\"|"
    r"\bnew (?:QLabel|QCheckBox|QPushButton|QRadioButton|QGroupBox|QAction|QToolButton|QMenu)\(\s*"
    r"(?:QStringLiteral\()?\s*\"([^\"]*)\"")
# The product's name, a blank title and placeholders are the same in every language.
NEUTRAL = re.compile(r"^(RUMO\?|\s*|[%0-9 ()]*)$")


def source_files():
    for folder in FOLDERS:
        for dirpath, _, names in os.walk(os.path.join(ROOT, folder)):
            for name in sorted(names):
                if name.endswith((".cpp", ".h", ".inc")):
                    yield os.path.join(dirpath, name)


def code_lines(path):
    """The lines of a file with comments blanked (strings kept), numbered from 1."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    out, i, in_block = [], 0, False
    while i < len(text):
        if in_block:
            end = text.find("*/", i)
            end = len(text) if end < 0 else end + 2
            out.append(re.sub(r"[^\n]", " ", text[i:end]))
            i, in_block = end, False
        elif text.startswith("/*", i):
            in_block = True
        elif text.startswith("//", i):
            end = text.find("\n", i)
            end = len(text) if end < 0 else end
            comment = text[i:end]
            out.append(comment if comment.startswith("// untranslated:") else " " * len(comment))
            i = end
        elif text[i] == '"':
            m = LITERAL.match(text, i)
            literal = m.group(0) if m else text[i]
            out.append(literal)
            i += len(literal)
        else:
            out.append(text[i])
            i += 1
    return enumerate("".join(out).split("\n"), start=1)


class LiteralTextsTest(unittest.TestCase):
    def test_no_text_bypasses_the_translation_system(self):
        found = []
        for path in source_files():
            shown = os.path.relpath(path, ROOT)
            for number, line in code_lines(path):
                if "// untranslated:" in line:
                    continue
                for literal in LITERAL.findall(line):
                    if JAPANESE.search(literal) and not ALLOWED_JAPANESE.match(literal):
                        found.append(f"{shown}:{number}: Japanese literal \"{literal}\"")
                for m in SETTER.finditer(line):
                    literal = m.group(2) if m.group(2) is not None else m.group(3)
                    if not NEUTRAL.match(literal):
                        found.append(f"{shown}:{number}: untranslated text \"{literal}\"")
        self.assertEqual(found, [], "write these through tr(), QCoreApplication::translate() or "
                                    "rumo::translate():\n" + "\n".join(found))

    def test_the_scan_sees_what_it_looks_for(self):
        with tempfile.NamedTemporaryFile("w", suffix=".cpp", encoding="utf-8") as f:
            f.write('label->setText(QStringLiteral("Hello")); // x\nconst char* a = "会議"; '
                    '/* "会議" */\nnew QCheckBox(tr("Fine"), this);\n')
            f.flush()
            lines = dict(code_lines(f.name))
        self.assertTrue(SETTER.search(lines[1]))
        self.assertTrue(JAPANESE.search("".join(LITERAL.findall(lines[2]))))
        self.assertEqual(len(LITERAL.findall(lines[2])), 1)  # the comment's is blanked
        self.assertFalse(SETTER.search(lines[3]))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
