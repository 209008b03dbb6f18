// A CNX file that cannot, or must not, be written or read as usual, as a
// table: the writer itself, the kv2gxb-cnx tool and a silent kv2gxb run meet
// each case. Whatever the row, nothing outside the design file's folder
// changes, no temporary file stays, a regular CNX file holds either its old
// text or the whole new one, and a run ends within its bound; what the
// writer answers and reports is the row's own.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "cnx/crcnx_manager.h"
#include "e2e_support.h"
#include "platform/message_box.h"

namespace {

const std::string OLD_TEXT = "PRIVATE: WIZ_PROTOCOL STRING \"GIGE\"\n";
const std::string VICTIM_TEXT = "outside the design folder\n";

// The design folder d/, the folder o/ beside it with o/victim.cnx, and the
// CNX path the row writes.
struct SCENE {
    std::string design;
    std::string outside;
    std::string cnx;
};

struct WRITE_FAULT {
    const char* name;
    std::function<bool(SCENE&)> prepare;  // false: the row cannot run here
    bool written;                         // the writer's answer
    const char* message;                  // in what it reports ("" for nothing)
    bool run_as_nobody;                   // write permissions bind only those who are not the superuser
    // Another file of the design folder that must then hold the new text
    // (also_new) or the old one; "" for none.
    const char* also;
    bool also_new;
};

void fill(CRCNX_MANAGER& m) {
    m.add_cnx_private(new CRCNX_ITEM_PRIVATE("WIZ_PROTOCOL", "STRING", "XAUI"));
    for (int i = 0; i < 300; ++i) {
        m.add_cnx_private(new CRCNX_ITEM_PRIVATE(("WIZ_PAD" + std::to_string(i)).c_str(), "STRING", "padding"));
    }
}

// Writes in a child that gave the superuser's privileges up; the answer and
// the one message travel back through the exit status and a file.
bool write_as_nobody(const std::string& path, const std::string& message_file) {
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(77);
        bwizc_set_message_box_handler([&](const CString&, const CString& text) { write_file(message_file, text.str()); });
        CRCNX_MANAGER m;
        fill(m);
        _exit(m.write_cnx_file(path.c_str(), "kv2gxb") ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

const WRITE_FAULT WRITE_FAULTS[] = {
    {"read-only folder, writable file",
     [](SCENE& s) {
         write_file(s.cnx, OLD_TEXT);
         return chmod(s.cnx.c_str(), 0666) == 0 && chmod(s.design.c_str(), 0555) == 0;
     },
     true, "", true, "", false},
    {"full disk",
     [](SCENE& s) {
         if (geteuid() != 0 || mount("tmpfs", s.design.c_str(), "tmpfs", 0, "size=32k") != 0) return false;
         write_file(s.cnx, OLD_TEXT);
         write_file(s.design + "/filler", std::string(64 * 1024, 'f'));
         return true;
     },
     false, "Disk is full for writing", false, "", false},
    {"folder in the file's place",
     [](SCENE& s) {
         mkdir(s.cnx.c_str(), 0755);
         write_file(s.cnx + "/kept", OLD_TEXT);
         return true;
     },
     false, "is not a regular file", false, "gxb_top.cnx/kept", false},
    {"symbolic link inside",
     [](SCENE& s) {
         write_file(s.design + "/real.cnx", OLD_TEXT);
         return symlink("real.cnx", s.cnx.c_str()) == 0;
     },
     true, "", false, "real.cnx", true},
    {"symbolic link outside",
     [](SCENE& s) { return symlink((s.outside + "/victim.cnx").c_str(), s.cnx.c_str()) == 0; },
     false, "outside the design file's folder", false, "", false},
    {"dangling symbolic link",
     [](SCENE& s) { return symlink("../o/absent.cnx", s.cnx.c_str()) == 0; },
     false, "cannot be resolved", false, "", false},
    {"symbolic link loop",
     [](SCENE& s) {
         return symlink("loop.cnx", s.cnx.c_str()) == 0 &&
                symlink("gxb_top.cnx", (s.design + "/loop.cnx").c_str()) == 0;
     },
     false, "cannot be resolved", false, "", false},
    {"other hard link",
     [](SCENE& s) {
         write_file(s.cnx, OLD_TEXT);
         return link(s.cnx.c_str(), (s.design + "/other.cnx").c_str()) == 0;
     },
     true, "", false, "other.cnx", true},
    {"256-byte name",
     [](SCENE& s) {
         s.cnx = s.design + "/" + std::string(252, 'n') + ".cnx";
         return true;
     },
     false, "is invalid", false, "", false},
    {"FIFO", [](SCENE& s) { return mkfifo(s.cnx.c_str(), 0644) == 0; }, false, "is not a regular file", false, "",
     false},
};

struct FILE_STATE {
    std::string text;
    bool regular = false;
    mode_t kind = 0;
};

std::string link_text_of(const std::string& path) {
    char buf[4096];
    const ssize_t n = readlink(path.c_str(), buf, sizeof buf);
    return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

FILE_STATE state_of(const std::string& path) {
    struct stat st;
    FILE_STATE f;
    if (lstat(path.c_str(), &st) != 0) return f;
    f.kind = st.st_mode & S_IFMT;
    f.regular = S_ISREG(st.st_mode);
    if (f.regular) f.text = read_file(path);
    return f;
}

}  // namespace

TEST(CnxFaultE2e, WriterRefusesOrKeepsWhatTheUserHas) {
    CRCNX_MANAGER reference;
    fill(reference);
    const std::string new_text = reference.get_cnx_text("kv2gxb", false).str();
    for (const WRITE_FAULT& row : WRITE_FAULTS) {
        SCOPED_TRACE(row.name);
        SCRATCH_DIR root;
        ASSERT_EQ(chmod(root.path().c_str(), 0755), 0);
        SCENE s{root.file("d"), root.file("o"), root.file("d") + "/gxb_top.cnx"};
        ASSERT_EQ(mkdir(s.design.c_str(), 0755), 0);
        ASSERT_EQ(mkdir(s.outside.c_str(), 0755), 0);
        write_file(s.outside + "/victim.cnx", VICTIM_TEXT);
        if (!row.prepare(s)) {
            umount2(s.design.c_str(), MNT_DETACH);
            std::printf("row \"%s\" not run: it needs the superuser\n", row.name);
            continue;
        }
        const std::string link_text = link_text_of(s.cnx);
        const FILE_STATE before = state_of(s.cnx);
        const std::vector<std::string> design_before = folder_entries(s.design);
        struct stat followed;
        const bool readable = stat(s.cnx.c_str(), &followed) == 0 && S_ISREG(followed.st_mode);

        const std::string design_file = s.cnx.substr(0, s.cnx.size() - 4) + ".v";
        write_file(design_file, "module gxb_top; endmodule\n");
        const KV2GXB_RUN run = run_kv2gxb({"-silent", design_file}, s.design, {}, 10000);
        EXPECT_TRUE(run.ended) << run.err;
        // The wizard writes where the writer may, and says why not elsewhere.
        EXPECT_EQ(run.exit_status, row.written ? 0 : 1) << run.err;
        if (!row.written) {
            EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
        }
        unlink(design_file.c_str());

        // The tool shows what the wizard reads, or why it cannot.
        const KV2GXB_RUN shown = run_program({std::string(KV2GXB_BUILD_DIR) + "/bin/kv2gxb-cnx", s.cnx}, "", {}, 10000);
        EXPECT_TRUE(shown.ended);
        EXPECT_EQ(shown.exit_status, readable ? 0 : 1) << shown.err;

        std::string message;
        bool written = false;
        if (row.run_as_nobody) {
            written = write_as_nobody(s.cnx, root.file("message"));
            message = read_file(root.file("message"));
            unlink(root.file("message").c_str());
        } else {
            auto previous = bwizc_set_message_box_handler([&](const CString&, const CString& text) { message = text.str(); });
            CRCNX_MANAGER m;
            fill(m);
            written = m.write_cnx_file(s.cnx.c_str(), "kv2gxb");
            // A refusal is reported even to a caller that keeps file errors quiet.
            const std::string reported = message;
            message.clear();
            m.write_cnx_file(s.cnx.c_str(), "kv2gxb", false, false);
            EXPECT_EQ(message, reported.rfind("Error: CNX file", 0) == 0 ? reported : "");
            message = reported;
            bwizc_set_message_box_handler(previous);
        }
        chmod(s.design.c_str(), 0755);
        EXPECT_EQ(written, row.written);
        if (*row.message) {
            EXPECT_NE(message.find(row.message), std::string::npos) << message;
            EXPECT_NE(message.find(s.cnx), std::string::npos) << message;
        } else {
            EXPECT_EQ(message, "");
        }

        const FILE_STATE after = state_of(s.cnx);
        EXPECT_EQ(after.kind, before.kind) << "the CNX path changed its kind";
        if (after.regular) {
            EXPECT_EQ(after.text, written ? new_text : before.text);
        }
        EXPECT_EQ(link_text_of(s.cnx), link_text);
        if (*row.also) {
            EXPECT_EQ(read_file(s.design + "/" + row.also), row.also_new ? new_text : OLD_TEXT);
        }
        std::vector<std::string> design_after = folder_entries(s.design);
        if (!before.kind && written) design_after.erase(std::find(design_after.begin(), design_after.end(), "gxb_top.cnx"));
        EXPECT_EQ(design_after, design_before);
        EXPECT_EQ(folder_entries(s.outside), std::vector<std::string>{"victim.cnx"});
        EXPECT_EQ(read_file(s.outside + "/victim.cnx"), VICTIM_TEXT);
        umount2(s.design.c_str(), MNT_DETACH);
    }
}

TEST(CnxFaultE2e, ReaderTakesOnlyRegularFilesWithinItsCaps) {
    SCRATCH_DIR dir;
    const std::string tool = std::string(KV2GXB_BUILD_DIR) + "/bin/kv2gxb-cnx";
    const std::string fifo = dir.file("fifo.cnx");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    const std::string huge = dir.file("huge.cnx");
    write_file(huge, "");
    ASSERT_EQ(truncate(huge.c_str(), CRCNX_MANAGER::MAX_FILE_SIZE + 1), 0);
    const std::string long_line = dir.file("long.cnx");
    write_file(long_line, "PRIVATE: WIZ_A STRING \"" + std::string(CRCNX_MANAGER::MAX_LINE_LENGTH, 'x') +
                              "\"\nPRIVATE: WIZ_B STRING \"kept\"\n");
    const struct {
        std::string path;
        int status;
        const char* shown;  // in standard output, or in standard error when the status is 1
    } rows[] = {
        {fifo, 1, "not a regular file"},
        {"/dev/zero", 1, "not a regular file"},
        {dir.path(), 1, "not a regular file"},
        {huge, 1, "larger than 64 MiB"},
        {long_line, 0, "GENERATION: STANDARD\nVERSION: WM1.0\nMODULE: kv2gxb \n\nPRIVATE: WIZ_B STRING \"kept\"\n\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        const KV2GXB_RUN run = run_program({tool, row.path}, "", {}, 10000);
        EXPECT_TRUE(run.ended);
        EXPECT_EQ(run.exit_status, row.status) << run.err;
        if (row.status == 0) {
            EXPECT_EQ(run.out, row.shown);
        } else {
            EXPECT_NE(run.err.find(row.shown), std::string::npos) << run.err;
        }
        // The wizard itself reads none of them, and says so only of the huge one.
        MESSAGE_CAPTURE boxes;
        CRCNX_MANAGER m;
        EXPECT_EQ(m.read_cnx_file(row.path.c_str()), row.status == 0);
        const std::string message = boxes.texts.empty() ? std::string() : boxes.texts.back();
        EXPECT_EQ(message.find("larger than 64 MiB") != std::string::npos, row.path == huge) << message;
    }
}
