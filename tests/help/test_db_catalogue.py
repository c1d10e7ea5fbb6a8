#!/usr/bin/env python3
"""The deployment guides' database section against the reference host's catalogue: the committed
guides are what scripts/db-catalogue.py generates, and a change of the catalogue (a parameter
renamed, a result column added, a procedure without a description) is caught.

    test_db_catalogue.py REPO_ROOT
"""
import pathlib
import shutil
import subprocess
import sys
import tempfile
import unittest

ROOT = pathlib.Path(sys.argv.pop(1) if len(sys.argv) > 1 else ".").resolve()
SCRIPT = ROOT / "scripts/db-catalogue.py"


def run(root, mode="--check"):
    return subprocess.run([sys.executable, str(SCRIPT), str(root), mode], capture_output=True, text=True)


class CatalogueTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.copy = pathlib.Path(self.tmp.name)
        shutil.copytree(ROOT / "src", self.copy / "src")
        shutil.copytree(ROOT / "docs", self.copy / "docs")

    def tearDown(self):
        self.tmp.cleanup()

    def edit(self, rel, old, new):
        path = self.copy / rel
        text = path.read_text(encoding="utf-8")
        self.assertIn(old, text)
        path.write_text(text.replace(old, new, 1), encoding="utf-8")

    def test_committed_guides_are_generated(self):
        result = run(ROOT)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_renamed_parameter_fails(self):
        self.edit("src/host/db/AssociationProcedures.cpp", '{"@jobname", K::Text}', '{"@jobnumber", K::Text}')
        result = run(self.copy)
        self.assertEqual(result.returncode, 1)
        self.assertIn("-| `@jobname` | text | in |", result.stdout)
        self.assertIn("+| `@jobnumber` | text | in |", result.stdout)

    def test_new_result_column_fails(self):
        self.edit("src/host/db/PrintProcedures.cpp", "b.uniquebillid, b.brec", "b.uniquebillid, b.brec, b.krec")
        result = run(self.copy)
        self.assertEqual(result.returncode, 1)
        self.assertIn("+| `krec` | `BillIndex.krec INTEGER` |", result.stdout)

    def test_new_table_column_fails(self):
        self.edit("src/host/db/schema/002_invoice_pictures.sql", "    bfullname TEXT NOT NULL DEFAULT ''\n",
                  "    bfullname TEXT NOT NULL DEFAULT '',\n    remark TEXT\n")
        result = run(self.copy)
        self.assertEqual(result.returncode, 1)
        self.assertIn("+| `remark` | TEXT |", result.stdout)

    def test_procedure_without_description_fails(self):
        self.edit("src/host/db/InsuranceProcedures.cpp", 'list.push_back({"GetLSNo_CQ", {}, true, GetLSNo});',
                  'list.push_back({"GetLSNo_CQ", {}, true, GetLSNo});\n'
                  '    list.push_back({"XF_YBCQ_Extra", {{"@id", K::Integer, true}}, false, GetLSNo});')
        result = run(self.copy)
        self.assertNotEqual(result.returncode, 0)
        self.assertIn("no meaning for the procedure XF_YBCQ_Extra", result.stdout + result.stderr)

    def test_write_restores_the_guides(self):
        self.edit("docs/deployment.zh.md", "| `@brec` | 整数 | 输入 |", "| `@brec` | 文本 | 输入 |")
        self.assertEqual(run(self.copy).returncode, 1)
        self.assertEqual(run(self.copy, "--write").returncode, 0)
        self.assertEqual(run(self.copy).returncode, 0)
        self.assertEqual((self.copy / "docs/deployment.zh.md").read_text(encoding="utf-8"),
                         (ROOT / "docs/deployment.zh.md").read_text(encoding="utf-8"))


if __name__ == "__main__":
    unittest.main()
