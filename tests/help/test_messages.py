#!/usr/bin/env python3
"""Tests of the message collector: what it takes as a message and what it leaves, and that the check
of the real messages page fails when one message is taken off the page.

    test_messages.py REPO_ROOT
"""
import pathlib
import sys
import tempfile
import textwrap
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import messages  # noqa: E402

ROOT = pathlib.Path(sys.argv.pop(1) if len(sys.argv) > 1 else ".").resolve()


def collect(files):
    """The message pieces of a source tree made of files {path: text}."""
    with tempfile.TemporaryDirectory() as tmp:
        for path, text in files.items():
            p = pathlib.Path(tmp) / path
            p.parent.mkdir(parents=True, exist_ok=True)
            p.write_text(textwrap.dedent(text), encoding="utf-8")
        found = messages.Sources(tmp).messages()
    return sorted({part for *_, pieces in found for _, _, lit in pieces for part in messages.fragments(lit)})


class CollectorTest(unittest.TestCase):
    def test_message_first_title_not(self):
        self.assertEqual(collect({"a/A.cpp": 'void f() { ShowMsg("保存成功", "提示"); }'}), ["保存成功"])

    def test_composed_message_counts_its_pieces(self):
        src = 'void f(std::string s) { ShowMsg("导出图片到[" + s + "]成功", "提示"); }'
        self.assertEqual(collect({"a/A.cpp": src}), ["]成功", "导出图片到["])

    def test_escapes_and_line_breaks(self):
        src = r'void f() { ShowError("请检查\\plug文件夹\r\n 第二行", "错误"); }'
        self.assertEqual(collect({"a/A.cpp": src}), ["第二行", "请检查\\plug文件夹"])

    def test_comments_and_english_texts_are_no_messages(self):
        src = """
            // ShowMsg("注释里的文字", "提示");
            void f() { throw std::runtime_error("cannot open"); /* ShowMsg("也是注释") */ }
        """
        self.assertEqual(collect({"a/A.cpp": src}), [])

    def test_thrown_exceptions_with_namespaces(self):
        src = 'void f() { throw tkv::Exception("主程序接口尚未初始化"); throw EPrinter("打印机正在打印"); }'
        self.assertEqual(collect({"a/A.cpp": src}), ["主程序接口尚未初始化", "打印机正在打印"])

    def test_constants_locals_and_returned_texts_are_followed(self):
        files = {
            "a/Texts.h": 'inline constexpr const char* kBad = "不支持当前图片格式";',
            "a/A.cpp": """
                std::string Reason(int n) {
                    if (n < 0)
                        return "记录失败 " + std::to_string(n);
                    return {};
                }
                void f(int n) {
                    ShowMsg(kBad, "提示");
                    const std::string failure = Reason(n);
                    ShowError("没有记入数据库：" + failure, "错误");
                }
            """,
        }
        self.assertEqual(collect(files), sorted(["不支持当前图片格式", "记录失败", "没有记入数据库："]))

    def test_error_texts_of_string_out_parameters(self):
        src = """
            bool Load(const std::string& name, std::string& ErrorInfo) {
                ErrorInfo = "文件" + name + "没有找到！";
                return false;
            }
            std::string Name(const std::string& a) { std::string b; b = "不是消息"; return a; }
        """
        self.assertEqual(collect({"a/A.cpp": src}), ["文件", "没有找到！"])

    def test_member_fields_are_not_followed(self):
        files = {
            "a/Font.h": 'struct TFont { std::string Name = "宋体"; };',
            "a/A.cpp": 'void f(Def def) { throw EDatabaseError("Field " + def.Name + " missing"); }',
        }
        self.assertEqual(collect(files), [])

    def test_host_and_stand_ins_are_left_out(self):
        files = {
            "host/H.cpp": 'void f() { ShowMsg("宿主的提示", "提示"); }',
            "sim/S.cpp": 'void f() { throw Exception("模拟的错误"); }',
            "printing/pdf/P.cpp": 'void f() { throw EPrinter("打印文件无法创建"); }',
            "printing/E.cpp": 'void f() { ShowError("路径无效,请检查", "错误"); }',
        }
        self.assertEqual(collect(files), ["路径无效,请检查"])


class MessagesPageTest(unittest.TestCase):
    def test_page_holds_every_message(self):
        self.assertEqual(messages.missing(ROOT / "src", ROOT / "help/messages.html"), [])

    def test_a_message_taken_off_the_page_is_named(self):
        page = (ROOT / "help/messages.html").read_text(encoding="utf-8")
        for text in ("扫描加载失败", "今天没有需要再打印的图片,确认后继续", "医保接口没有"):
            with self.subTest(text=text), tempfile.TemporaryDirectory() as tmp:
                self.assertIn(text, page)
                cut = pathlib.Path(tmp) / "messages.html"
                cut.write_text(page.replace(text, ""), encoding="utf-8")
                absent = messages.missing(ROOT / "src", cut)
                self.assertTrue(absent and all(a.endswith(": " + text) for a in absent), absent)


if __name__ == "__main__":
    unittest.main()
