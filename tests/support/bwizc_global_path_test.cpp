#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <tuple>

#include "support/bwizc_global.h"
#include "test_scratch.h"

namespace {

std::string cwd_now() {
    char buffer[4096];
    return ::getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

}  // namespace

TEST(BwizcPath, SplitsPathIntoDirectoryTitleAndLastExtension) {
    struct ROW {
        const char* path;
        const char* dir;
        const char* name;
        const char* title;
        const char* ext;
    };
    const ROW rows[] = {
        {"a/b.c.cnx", "a/", "b.c.cnx", "b.c", ".cnx"},
        // Surrounding blanks do not change the components.
        {"  /x/y/top.v \t", "/x/y/", "top.v", "top", ".v"},
        // A dot in a directory name is not an extension.
        {"/x.d/Makefile", "/x.d/", "Makefile", "Makefile", ""},
        // A leading dot starts the extension, as the platform splitter has it.
        {"/home/.profile", "/home/", ".profile", "", ".profile"},
        // No directory at all; a directory alone.
        {"top.vhd", "", "top.vhd", "top", ".vhd"},
        {"/x/y/", "/x/y/", "", "", ""},
        {"", "", "", "", ""},
    };
    for (const ROW& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(bwizc_global_get_file_path(row.path), row.dir);
        EXPECT_EQ(bwizc_global_get_path_component(row.path, BWIZC_PATH_COMP_DIR), row.dir);
        EXPECT_EQ(bwizc_global_get_file_name(row.path), row.name);
        EXPECT_EQ(bwizc_global_get_file_title(row.path), row.title);
        EXPECT_EQ(bwizc_global_get_file_ext(row.path), row.ext);
        EXPECT_EQ(bwizc_global_get_path_component(row.path, BWIZC_PATH_COMP_DRIVE), "");
        EXPECT_EQ(bwizc_global_get_file_drive(row.path), "/");
    }
    EXPECT_EQ(bwizc_global_get_file_title_with_path("a/b.c.cnx"), "a/b.c");
}

TEST(BwizcPath, MakesSiblingFileTranslatesDelimitersAndEnsuresTerminatingOne) {
    EXPECT_EQ(bwizc_global_split_make_file_path("/x/y/old.v", "new", ".cnx"), "/x/y/new.cnx");
    EXPECT_EQ(bwizc_global_split_make_file_path(" old.v ", "new", ".cnx"), "new.cnx");
    EXPECT_EQ(bwizc_global_split_make_file_path("/x/y/", "new", ""), "/x/y/new");
    EXPECT_EQ(bwizc_global_translate_char("a.b.c", '.', '_'), "a_b_c");
    EXPECT_EQ(bwizc_global_convert_to_intern_delim("..\\common\\help\\"), "../common/help/");
    EXPECT_EQ(bwizc_global_convert_to_platform_delims("a\\b/c"), "a/b/c");

    // An empty path stays empty for the internal delimiter but becomes the
    // root for the platform one; a path that ends in one gets no second.
    for (const auto& [in, intern, platform] :
         {std::tuple{"", "", "/"}, std::tuple{"dir", "dir/", "dir/"}, std::tuple{"dir/", "dir/", "dir/"}}) {
        CString a = in;
        CString b = in;
        bwizc_global_ensure_terminating_intern_delim(a);
        bwizc_global_ensure_terminating_platform_delim(b);
        EXPECT_EQ(a, intern) << in;
        EXPECT_EQ(b, platform) << in;
    }
}

TEST(BwizcPath, ResolvesAbsolutePathsByName) {
    SCRATCH_DIR dir;
    ASSERT_EQ(::chdir(dir.path().c_str()), 0);
    EXPECT_EQ(bwizc_global_get_cur_work_dir(), dir.path());

    EXPECT_EQ(bwizc_global_get_absolute_path("f.txt"), dir.file("f.txt"));
    EXPECT_EQ(bwizc_global_get_absolute_path("./missing/../f.txt"), dir.file("f.txt"));
    EXPECT_EQ(bwizc_global_get_absolute_path("sub/"), dir.file("sub/"));
    EXPECT_EQ(bwizc_global_get_absolute_path("/a/./b/../c"), "/a/c");
    EXPECT_EQ(bwizc_global_get_absolute_path("/../.."), "/");
    EXPECT_EQ(bwizc_global_get_absolute_path(""), "");
    EXPECT_EQ(bwizc_global_get_absolute_path("/" + std::string(3000, 'x')), "");

    ASSERT_TRUE(bwizc_global_make_directory(dir.file("sub").c_str()));
    EXPECT_TRUE(bwizc_global_change_directory("sub"));
    EXPECT_EQ(cwd_now(), dir.file("sub"));
    EXPECT_FALSE(bwizc_global_change_directory("nowhere"));
    EXPECT_EQ(cwd_now(), dir.file("sub"));
}

TEST(BwizcPath, ResolvingAgainstReferenceAlwaysRestoresCurrentDirectory) {
    SCRATCH_DIR dir;
    ASSERT_TRUE(bwizc_global_make_directory(dir.file("ref").c_str()));
    ASSERT_EQ(::chdir("/"), 0);

    CString out_dir = "stale";
    CString out_name = "stale";
    EXPECT_TRUE(bwizc_global_convert_rel2abs_path_with_ref("../top.v", dir.file("ref").c_str(), out_dir, out_name));
    EXPECT_EQ(out_dir, (dir.path() + "/").c_str());
    EXPECT_EQ(out_name, "top.v");
    EXPECT_EQ(cwd_now(), "/");

    EXPECT_TRUE(bwizc_global_convert_rel2abs_path_with_ref("/abs/x.cnx", dir.file("ref").c_str(), out_dir, out_name));
    EXPECT_EQ(out_dir, "/abs/");
    EXPECT_EQ(out_name, "x.cnx");

    out_dir = "stale";
    out_name = "stale";
    EXPECT_FALSE(bwizc_global_convert_rel2abs_path_with_ref("top.v", dir.file("missing").c_str(), out_dir, out_name));
    EXPECT_EQ(out_dir, "");
    EXPECT_EQ(out_name, "");
    EXPECT_EQ(cwd_now(), "/");

    EXPECT_TRUE(bwizc_global_directory_exists(dir.path().c_str()));
    EXPECT_FALSE(bwizc_global_directory_exists(dir.file("missing").c_str()));
    EXPECT_FALSE(bwizc_global_directory_exists(""));
    EXPECT_EQ(cwd_now(), "/");

    CString app_path = bwizc_global_get_app_path();
    EXPECT_EQ(bwizc_global_get_absolute_path_from_app("x/../lib.so"), app_path + "lib.so");
    EXPECT_EQ(cwd_now(), "/");
}

TEST(BwizcPath, ToleratesUnreadableCurrentDirectory) {
    SCRATCH_DIR dir;
    ASSERT_TRUE(bwizc_global_make_directory(dir.file("gone").c_str()));
    ASSERT_EQ(::chdir(dir.file("gone").c_str()), 0);
    ASSERT_EQ(::rmdir(dir.file("gone").c_str()), 0);

    EXPECT_EQ(bwizc_global_get_cur_work_dir(), "");
    EXPECT_EQ(bwizc_global_get_absolute_path("x"), "");
    EXPECT_EQ(bwizc_global_get_absolute_path("/y/x"), "/y/x");
    // Entering another directory and coming back must land in the removed
    // directory again, not stay where the check went.
    EXPECT_TRUE(bwizc_global_directory_exists("/"));
    EXPECT_EQ(bwizc_global_get_cur_work_dir(), "");
}

TEST(BwizcPath, CreatesDeletesAndCopiesFiles) {
    SCRATCH_DIR dir;
    mode_t old_mask = ::umask(022);
    EXPECT_TRUE(bwizc_global_make_directory(dir.path().c_str()));
    EXPECT_TRUE(bwizc_global_make_directory(dir.file("one").c_str()));
    struct stat st {};
    ASSERT_EQ(::stat(dir.file("one").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0755u);
    EXPECT_FALSE(bwizc_global_make_directory(dir.file("two/three").c_str()));
    ::umask(old_mask);

    CString src = dir.file("src.txt").c_str();
    CString dst = dir.file("dst.txt").c_str();
    EXPECT_FALSE(bwizc_global_file_exists(src));
    // A missing source counts as copied, and nothing appears.
    EXPECT_TRUE(bwizc_global_copy_file(src, dst, false));
    EXPECT_FALSE(bwizc_global_file_exists(dst));

    dir.write("src.txt", std::string("line 1\nline\0 2\n", 15));
    EXPECT_TRUE(bwizc_global_file_exists(src));
    EXPECT_TRUE(bwizc_global_copy_file(src, dst, true));
    EXPECT_EQ(dir.read("dst.txt"), dir.read("src.txt"));

    dir.write("dst.txt", "keep");
    EXPECT_FALSE(bwizc_global_copy_file(src, dst, true));
    EXPECT_EQ(dir.read("dst.txt"), "keep");
    EXPECT_TRUE(bwizc_global_copy_file(src, dst, false));
    EXPECT_EQ(dir.read("dst.txt"), dir.read("src.txt"));

    // A file copied onto itself, by its name or through a second link,
    // is refused and stays whole.
    const std::string before = dir.read("src.txt");
    EXPECT_FALSE(bwizc_global_copy_file(src, src, false));
    EXPECT_EQ(dir.read("src.txt"), before);
    ASSERT_EQ(::link(src.c_str(), dir.file("hard.txt").c_str()), 0);
    EXPECT_FALSE(bwizc_global_copy_file(src, CString(dir.file("hard.txt").c_str()), false));
    EXPECT_EQ(dir.read("src.txt"), before);

    EXPECT_TRUE(bwizc_global_delete_file(dst));
    EXPECT_FALSE(bwizc_global_file_exists(dst));
    EXPECT_TRUE(bwizc_global_delete_file(dst));
}

TEST(BwizcPath, LocatesExecutableAndGeneratorList) {
    CString app = bwizc_global_get_app_file_name();
    EXPECT_EQ(bwizc_global_get_file_name(app), "test_support");
    EXPECT_EQ(bwizc_global_get_app_path(), bwizc_global_get_file_path(app));
    EXPECT_TRUE(bwizc_global_file_exists(app));

    // Test executables live in <build>/tests/, so "../libraries" is in the build tree.
    EXPECT_EQ(bwizc_global_get_cgx_lst_path(),
              bwizc_global_get_absolute_path(KV2GXB_BUILD_DIR "/libraries/brixfunctions/cgx.lst"));
    EXPECT_EQ(bwizc_global_get_zephrin_help_path("gxb.htm"),
              "hh " + bwizc_global_get_absolute_path(KV2GXB_BUILD_DIR "/common/help/") + "hdl.chm::gxb.htm");
}

TEST(BwizcPath, FindsGeneratorLibraryOfFirstMatchingListLine) {
    SCRATCH_DIR dir;
    dir.write("cgx.lst",
              "# generator list\n"
              "other=libother.so;other generator\n"
              "kv2gxb=;\n"
              "KV2GXB=wrong_case.so\n"
              "=nameless.so\n"
              "kv2gxb=libkv2gxb_cgx.so;transceiver generator\n"
              "kv2gxb=second.so\n"
              "plain=libplain\n"
              "ver=libver.1.2.so\n");
    CString list = dir.file("cgx.lst").c_str();
    EXPECT_EQ(bwizc_global_get_cgx_dll_name_from_list("kv2gxb", list), "libkv2gxb_cgx");
    EXPECT_EQ(bwizc_global_get_cgx_dll_name_from_list("other", list), "libother");
    EXPECT_EQ(bwizc_global_get_cgx_dll_name_from_list("plain", list), "libplain");
    EXPECT_EQ(bwizc_global_get_cgx_dll_name_from_list("ver", list), "libver");
    EXPECT_EQ(bwizc_global_get_cgx_dll_name_from_list("kv2", list), "");
    EXPECT_EQ(bwizc_global_get_cgx_dll_name_from_list("", list), "");
    EXPECT_EQ(bwizc_global_get_cgx_dll_name_from_list("kv2gxb", dir.file("missing.lst").c_str()), "");

    // Lines are taken in pieces of 511 characters: an entry that starts at
    // character 512 of a long line is still found.
    dir.write("long.lst", std::string(511, 'x') + "late=liblate.so\n");
    EXPECT_EQ(bwizc_global_get_cgx_dll_name_from_list("late", dir.file("long.lst").c_str()), "liblate");
}
