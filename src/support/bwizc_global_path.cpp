// Path, directory and file utilities.
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/bwizc_global.h"

namespace {

struct SPLIT_PATH {
    CString drive;
    CString dir;
    CString title;
    CString ext;
};

// Splits a path the way the platform's path splitter does: the directory runs
// through the last "/", the extension from the last "." after it. There are
// no drive letters on this platform.
SPLIT_PATH split_path(const CString& path) {
    SPLIT_PATH parts;
    const std::string& s = path.str();
    size_t name_start = 0;
    size_t slash = s.rfind('/');
    if (slash != std::string::npos) {
        parts.dir = CString(s.substr(0, slash + 1));
        name_start = slash + 1;
    }
    size_t dot = s.rfind('.');
    if (dot != std::string::npos && dot >= name_start) {
        parts.title = CString(s.substr(name_start, dot - name_start));
        parts.ext = CString(s.substr(dot));
    } else {
        parts.title = CString(s.substr(name_start));
    }
    return parts;
}

SPLIT_PATH split_trimmed(const CString& path) {
    CString p = path;
    p.Trim();
    return split_path(p);
}

// Remembers the current directory as an open handle, so that it can be
// restored even when its name cannot be read or has become too long.
class CUR_DIR_KEEPER {
public:
    CUR_DIR_KEEPER() : m_fd(::open(".", O_PATH | O_DIRECTORY | O_CLOEXEC)) {}
    ~CUR_DIR_KEEPER() {
        if (m_fd >= 0) {
            if (::fchdir(m_fd) != 0) {
                // Nothing better to do: the old directory has become unreachable.
            }
            ::close(m_fd);
        }
    }
    CUR_DIR_KEEPER(const CUR_DIR_KEEPER&) = delete;
    CUR_DIR_KEEPER& operator=(const CUR_DIR_KEEPER&) = delete;

private:
    int m_fd;
};

// "." and ".." resolved by name in an absolute path; a trailing "/" stays.
CString normalize_absolute(const std::string& path) {
    std::vector<std::string> parts;
    size_t i = 0;
    while (i < path.size()) {
        size_t j = path.find('/', i);
        if (j == std::string::npos) j = path.size();
        std::string part = path.substr(i, j - i);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        i = j + 1;
    }
    std::string out;
    for (const std::string& part : parts) out += "/" + part;
    if (out.empty()) return CString("/");
    if (path.back() == '/') out += "/";
    return CString(out);
}

constexpr size_t ABSOLUTE_PATH_MAX = 2048;

}  // namespace

CString bwizc_global_get_path_component(const CString& path, BWIZC_PATH_COMP_TYPE type) {
    SPLIT_PATH parts = split_trimmed(path);
    switch (type) {
    case BWIZC_PATH_COMP_DRIVE: return parts.drive;
    case BWIZC_PATH_COMP_DIR: return parts.dir;
    case BWIZC_PATH_COMP_TITLE: return parts.title;
    case BWIZC_PATH_COMP_EXT: return parts.ext;
    }
    return CString();
}

CString bwizc_global_get_file_ext(const CString& path) { return bwizc_global_get_path_component(path, BWIZC_PATH_COMP_EXT); }

CString bwizc_global_get_file_title(const CString& path) {
    return bwizc_global_get_path_component(path, BWIZC_PATH_COMP_TITLE);
}

CString bwizc_global_get_file_name(const CString& path) {
    SPLIT_PATH parts = split_trimmed(path);
    return parts.title + parts.ext;
}

CString bwizc_global_get_file_path(const CString& path) {
    SPLIT_PATH parts = split_trimmed(path);
    return parts.drive + parts.dir;
}

CString bwizc_global_get_file_title_with_path(const CString& path) {
    SPLIT_PATH parts = split_trimmed(path);
    return parts.drive + parts.dir + parts.title;
}

CString bwizc_global_split_make_file_path(const CString& path, const CString& title, const CString& ext) {
    SPLIT_PATH parts = split_trimmed(path);
    return parts.drive + parts.dir + title + ext;
}

CString bwizc_global_get_file_drive(const CString&) { return CString("/"); }

CString bwizc_global_get_app_file_name() {
    // The link's length is unknown up front: a read that fills the whole
    // buffer may have been cut, so the buffer doubles up to four times.
    size_t size = 512;
    for (int attempt = 0; attempt <= 4; ++attempt, size *= 2) {
        std::vector<char> buffer(size);
        ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return CString();
        if (static_cast<size_t>(n) < buffer.size()) return CString(buffer.data(), static_cast<int>(n));
    }
    return CString();
}

CString bwizc_global_get_app_path() { return bwizc_global_get_file_path(bwizc_global_get_app_file_name()); }

CString bwizc_global_get_cur_work_dir() {
    size_t size = 512;
    for (int attempt = 0; attempt <= 4; ++attempt, size *= 2) {
        std::vector<char> buffer(size);
        if (::getcwd(buffer.data(), buffer.size())) return CString(buffer.data());
        if (errno != ERANGE) return CString();
    }
    return CString();
}

CString bwizc_global_get_absolute_path(const CString& path) {
    if (path.IsEmpty()) return CString();
    std::string full;
    if (path[0] == '/') {
        full = path.str();
    } else {
        CString cwd = bwizc_global_get_cur_work_dir();
        if (cwd.IsEmpty()) return CString();
        full = cwd.str() + "/" + path.str();
    }
    CString result = normalize_absolute(full);
    if (static_cast<size_t>(result.GetLength()) >= ABSOLUTE_PATH_MAX) return CString();
    return result;
}

CString bwizc_global_get_absolute_path_from_app(const CString& path) {
    CString app_path = bwizc_global_get_app_path();
    CUR_DIR_KEEPER keeper;
    if (app_path.IsEmpty() || ::chdir(app_path.c_str()) != 0) return CString();
    return bwizc_global_get_absolute_path(path);
}

bool bwizc_global_convert_rel2abs_path_with_ref(const CString& path, const CString& reference, CString& dir_out,
                                                CString& name_out) {
    dir_out.Empty();
    name_out.Empty();
    CUR_DIR_KEEPER keeper;
    if (reference.IsEmpty() || ::chdir(reference.c_str()) != 0) return false;
    CString absolute = bwizc_global_get_absolute_path(path);
    if (absolute.IsEmpty()) return false;
    dir_out = bwizc_global_get_file_path(absolute);
    name_out = bwizc_global_get_file_name(absolute);
    return true;
}

bool bwizc_global_directory_exists(const CString& path) {
    if (path.IsEmpty()) return false;
    CUR_DIR_KEEPER keeper;
    return ::chdir(path.c_str()) == 0;
}

bool bwizc_global_change_directory(const CString& path) {
    CString absolute = bwizc_global_get_absolute_path(path);
    if (absolute.IsEmpty()) return false;
    return ::chdir(absolute.c_str()) == 0;
}

bool bwizc_global_make_directory(const CString& path) {
    if (bwizc_global_directory_exists(path)) return true;
    if (path.IsEmpty()) return false;
    return ::mkdir(path.c_str(), 0755) == 0;
}

bool bwizc_global_file_exists(const CString& path) { return !path.IsEmpty() && ::access(path.c_str(), F_OK) == 0; }

bool bwizc_global_delete_file(const CString& path) {
    if (!bwizc_global_file_exists(path)) return true;
    return ::unlink(path.c_str()) == 0;
}

bool bwizc_global_copy_file(const CString& src, const CString& dst, bool fail_if_exists) {
    if (!bwizc_global_file_exists(src)) return true;
    int in = ::open(src.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    struct stat st {};
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(in);
        return false;
    }
    // Copying a file onto itself would truncate it before reading it.
    struct stat dst_st {};
    if (::stat(dst.c_str(), &dst_st) == 0 && dst_st.st_dev == st.st_dev && dst_st.st_ino == st.st_ino) {
        ::close(in);
        return false;
    }
    int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | (fail_if_exists ? O_EXCL : 0);
    int out = ::open(dst.c_str(), flags, st.st_mode & 07777);
    if (out < 0) {
        ::close(in);
        return false;
    }
    bool ok = true;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0) break;
        for (ssize_t done = 0; done < n;) {
            ssize_t w = ::write(out, buffer + done, static_cast<size_t>(n - done));
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) {
                ok = false;
                break;
            }
            done += w;
        }
        if (!ok) break;
    }
    ::close(in);
    if (::close(out) != 0) ok = false;
    return ok;
}

CString bwizc_global_translate_char(const CString& s, char from, char to) {
    CString result = s;
    result.Replace(from, to);
    return result;
}

CString bwizc_global_convert_to_intern_delim(const CString& s) { return bwizc_global_translate_char(s, '\\', '/'); }

CString bwizc_global_convert_to_platform_delims(const CString& s) { return bwizc_global_translate_char(s, '\\', '/'); }

void bwizc_global_ensure_terminating_intern_delim(CString& s) {
    if (!s.IsEmpty() && s[s.GetLength() - 1] != '/') s += '/';
}

void bwizc_global_ensure_terminating_platform_delim(CString& s) {
    if (s.IsEmpty() || s[s.GetLength() - 1] != '/') s += '/';
}

CString bwizc_global_get_cgx_lst_path() {
    return bwizc_global_get_absolute_path_from_app("../libraries/brixfunctions/cgx.lst");
}

CString bwizc_global_get_cgx_dll_name(const CString& module) {
    return bwizc_global_get_cgx_dll_name_from_list(module, bwizc_global_get_cgx_lst_path());
}

CString bwizc_global_get_cgx_dll_name_from_list(const CString& module, const CString& list_path) {
    CStdioFile file;
    if (list_path.IsEmpty() || !file.Open(list_path, CStdioFile::modeRead | CStdioFile::typeText)) return CString();
    // Lines are read in pieces of at most 511 characters, as the list's
    // readers always have.
    constexpr int LINE_MAX = 511;
    CString line;
    while (file.ReadString(line)) {
        for (int start = 0; start == 0 || start < line.GetLength(); start += LINE_MAX) {
            CString piece = line.Mid(start, LINE_MAX);
            int eq = piece.Find('=');
            if (eq <= 0) continue;
            if (piece.Left(eq) != module) continue;
            CString library = piece.Mid(eq + 1).SpanExcluding(";");
            if (library.IsEmpty()) continue;
            return library.SpanExcluding(".");
        }
    }
    return CString();
}

CString bwizc_global_get_zephrin_help_path(const CString& topic) {
    CString help_dir = bwizc_global_get_absolute_path_from_app(bwizc_global_convert_to_platform_delims("..\\common\\help\\"));
    help_dir = bwizc_global_convert_to_intern_delim(help_dir);
    bwizc_global_ensure_terminating_intern_delim(help_dir);
    return "hh " + help_dir + "hdl.chm::" + topic;
}
