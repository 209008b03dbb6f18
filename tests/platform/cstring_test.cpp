#include <gtest/gtest.h>

#include "platform/cstring.h"

TEST(CString, ExtractsOutOfRangeWithoutFault) {
    CString s("abcdef");
    EXPECT_EQ(s.Mid(2), "cdef");
    EXPECT_EQ(s.Mid(2, 2), "cd");
    EXPECT_EQ(s.Mid(10), "");
    EXPECT_EQ(s.Mid(-3, 2), "ab");
    EXPECT_EQ(s.Left(10), "abcdef");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Right(2), "ef");
    EXPECT_EQ(s.Right(99), "abcdef");
    EXPECT_EQ(s.GetAt(6), '\0');
    EXPECT_EQ(CString("a1b2").SpanIncluding("ab1"), "a1b");
    EXPECT_EQ(CString("key=value").SpanExcluding("="), "key");
}

TEST(CString, FindsAndReplaces) {
    CString s("a.b.c");
    EXPECT_EQ(s.Find('.'), 1);
    EXPECT_EQ(s.Find('.', 2), 3);
    EXPECT_EQ(s.Find("x"), -1);
    EXPECT_EQ(s.Find(".c"), 3);
    EXPECT_EQ(s.ReverseFind('.'), 3);
    EXPECT_EQ(s.FindOneOf("cb"), 2);
    EXPECT_EQ(s.Replace(".", "::"), 2);
    EXPECT_EQ(s, "a::b::c");
    EXPECT_EQ(s.Replace("", "x"), 0);
    CString t("\\\\n");
    EXPECT_EQ(t.Replace("\\\\", "\\"), 1);
    EXPECT_EQ(t, "\\n");
    EXPECT_EQ(s.Remove(':'), 4);
    EXPECT_EQ(s, "abc");
    s.Insert(1, "XY");
    EXPECT_EQ(s, "aXYbc");
    s.Delete(1, 2);
    EXPECT_EQ(s, "abc");
}

TEST(CString, TrimsComparesAndFolds) {
    CString s(" \t x y \r\n");
    s.Trim();
    EXPECT_EQ(s, "x y");
    CString q("\"quoted\"");
    q.Trim('"');
    EXPECT_EQ(q, "quoted");
    EXPECT_EQ(CString("ABC").CompareNoCase("abc"), 0);
    EXPECT_LT(CString("A").Compare("a"), 0);
    EXPECT_GT(CString("b").Compare("a"), 0);
    EXPECT_TRUE(CString("A") < CString("a"));
    CString m("MiXed");
    EXPECT_EQ(m.MakeLower(), "mixed");
    EXPECT_EQ(m.MakeUpper(), "MIXED");
}

TEST(CString, FormatsInTheCLocaleWithoutTruncation) {
    CString s;
    s.Format("%d %s %.2f", -5, "x", 2.5);
    EXPECT_EQ(s, "-5 x 2.50");
    std::string big(1000, 'z');
    s.Format("<%s>", big.c_str());
    EXPECT_EQ(s.GetLength(), 1002);
    s.AppendFormat("%c", '!');
    EXPECT_EQ(s.Right(2), ">!");
}

TEST(CStringArray, ClampsReadsAndEdits) {
    CStringArray a;
    a.Add("one");
    a.Add("two");
    a.InsertAt(1, "half");
    EXPECT_EQ(a.GetSize(), 3);
    EXPECT_EQ(a[1], "half");
    EXPECT_EQ(a.GetAt(7), "");
    a.RemoveAt(0, 2);
    EXPECT_EQ(a.GetSize(), 1);
    EXPECT_EQ(a[0], "two");
    a.SetAtGrow(3, "four");
    EXPECT_EQ(a.GetSize(), 4);
    EXPECT_EQ(a.Find("four"), 3);
    EXPECT_EQ(a.Find("none"), -1);
    // Writable access out of range neither throws nor changes the array.
    a[9] = "nine";
    a.ElementAt(-1) += "x";
    EXPECT_EQ(a.ElementAt(-1), "");
    EXPECT_EQ(a.GetSize(), 4);
}
