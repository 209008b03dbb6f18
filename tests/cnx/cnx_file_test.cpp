#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cnx/crcnx_manager.h"
#include "test_scratch.h"

namespace {

// A description such as the wizard writes on Finish.
void fill_typical(CRCNX_MANAGER& m) {
    m.add_cnx_private(new CRCNX_ITEM_PRIVATE("WIZ_PROTOCOL", "STRING", "GIGE"));
    m.add_cnx_private(new CRCNX_ITEM_PRIVATE("WIZ_CHANNELS", "NUMERIC", "4"));
    m.add_cnx_private(new CRCNX_ITEM_PRIVATE("WIZ_NOTE", "STRING", "tab\there\nline two c:\\dir"));
    m.add_cnx_private(new CRCNX_ITEM_PRIVATE("WIZ_EMPTY", "STRING", ""));
    m.add_cnx_parameter(new CRCNX_ITEM_PARAMETER("operation_mode", "STRING", "duplex"));
    m.add_cnx_parameter(new CRCNX_ITEM_PARAMETER("number_of_channels", "NUMERIC", "4"));
    m.add_cnx_gen_file(new CRCNX_ITEM_GEN_FILE("TYPE_NORMAL", "kv2gxb.v", true, true));
    m.add_cnx_gen_file(new CRCNX_ITEM_GEN_FILE("TYPE_EXPLICIT", "kv2gxb_inst.v", false, true));
}

}  // namespace

TEST(CnxFile, WriteReplacesTheTargetLeavingNoTemporaryFileOrSaysWhyItCannot) {
    SCRATCH_DIR dir;
    const std::string path = dir.file("kv2gxb.cnx");
    write_file(path, "old contents\n");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    CRCNX_MANAGER m;
    fill_typical(m);
    MESSAGE_CAPTURE messages;
    ASSERT_TRUE(m.write_cnx_file(path, "kv2gxb"));
    EXPECT_EQ(read_file(path), m.get_cnx_text("kv2gxb", false).str());
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"kv2gxb.cnx"});
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_TRUE(messages.texts.empty());

    // A write that stops half-way (here: a file-size limit, so no superuser
    // is needed) keeps the written file, leaves no temporary file behind and
    // says so once; a caller that asked for quiet hears nothing.
    const std::string good = read_file(path);
    for (int i = 0; i < 50; ++i) {
        m.add_cnx_private(new CRCNX_ITEM_PRIVATE(CString("WIZ_PAD") + std::to_string(i).c_str(), "STRING", "pad"));
    }
    struct rlimit old_limit, small;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    small = old_limit;
    small.rlim_cur = 64;
    const auto old_handler = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = m.write_cnx_file(path, "kv2gxb");
    const bool quiet_written = m.write_cnx_file(path, "kv2gxb", false, false);
    setrlimit(RLIMIT_FSIZE, &old_limit);
    signal(SIGXFSZ, old_handler);
    EXPECT_FALSE(written || quiet_written);
    EXPECT_EQ(read_file(path), good);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"kv2gxb.cnx"});
    ASSERT_EQ(messages.texts.size(), 1u);
    messages.texts.clear();

    // Nothing is created in a folder that is gone, and the reason is shown.
    const std::string gone = dir.file("gone/kv2gxb.cnx");
    EXPECT_FALSE(m.write_cnx_file(gone, "kv2gxb"));
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], "File " + gone + " could not be opened");
    EXPECT_FALSE(std::filesystem::exists(dir.file("gone")));
}

TEST(CnxFile, ReadingReportsFileErrorsAndKeepsWhatWasRead) {
    SCRATCH_DIR dir;
    CRCNX_MANAGER m;
    EXPECT_FALSE(m.read_cnx_file(dir.file("absent.cnx")));

    // A directory opens but cannot be read.
    MESSAGE_CAPTURE messages;
    m.add_cnx_private(new CRCNX_ITEM_PRIVATE("WIZ_KEPT", "STRING", "k"));
    CStdioFile file;
    ASSERT_TRUE(file.Open(dir.path().c_str(), CStdioFile::modeRead));
    EXPECT_TRUE(m.read_cnx_info_from_file(&file));
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find(dir.path()), std::string::npos) << messages.texts[0];
    EXPECT_NE(m.find_cnx_private("WIZ_KEPT"), nullptr);

    // A file and the same text in memory read alike, NUL bytes included.
    const std::string text = std::string("PRIVATE: A STRING \"x\0y\"\r\nPRIVATE: B STRING \"b\"", 46);
    const std::string path = dir.file("nul.cnx");
    write_file(path, text);
    CRCNX_MANAGER from_file;
    CRCNX_MANAGER from_text;
    ASSERT_TRUE(from_file.read_cnx_file(path));
    from_text.read_cnx_info_from_text(CString(text));
    EXPECT_EQ(from_file.get_cnx_text("kv2gxb", false), from_text.get_cnx_text("kv2gxb", false));
    EXPECT_NE(from_file.find_cnx_private("B"), nullptr);
    EXPECT_EQ(messages.texts.size(), 1u);
}

namespace {

struct TOOL_RESULT {
    int status = -1;
    std::string out;
    std::string err;
};

TOOL_RESULT run_tool(const std::vector<std::string>& args, const SCRATCH_DIR& dir) {
    std::string command = "'" KV2GXB_BUILD_DIR "/bin/kv2gxb-cnx'";
    for (const auto& a : args) command += " '" + a + "'";
    command += " >'" + dir.file("tool.out") + "' 2>'" + dir.file("tool.err") + "'";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read_file(dir.file("tool.out")),
            read_file(dir.file("tool.err"))};
}

}  // namespace

TEST(CnxTool, NamesTheFileItCannotReadAndHowToCallIt) {
    SCRATCH_DIR dir;
    ASSERT_TRUE(std::filesystem::exists(std::string(KV2GXB_BUILD_DIR) + "/bin/kv2gxb-cnx"))
        << "build the kv2gxb-cnx target first";
    TOOL_RESULT r = run_tool({dir.file("absent.cnx")}, dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("cannot read " + dir.file("absent.cnx")), std::string::npos) << r.err;

    r = run_tool({}, dir);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("usage: kv2gxb-cnx FILE"), std::string::npos) << r.err;
}
