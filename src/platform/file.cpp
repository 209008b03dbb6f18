#include "platform/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

int CFileException::cause_from_errno(int err) {
    switch (err) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return badPath;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return accessDenied;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case ENOSPC:
    case EDQUOT: return diskFull;
    case EIO: return hardIO;
    case EBUSY:
    case ETXTBSY: return sharingViolation;
    default: return genericException;
    }
}

CStdioFile::~CStdioFile() { Close(); }

bool CStdioFile::Open(const char* path, unsigned flags, CFileException* error) {
    Close();
    m_path = path ? path : "";
    m_last_error = 0;
    const bool write = (flags & (modeWrite | modeReadWrite)) != 0;
    const bool create = (flags & modeCreate) != 0;
    const bool keep = (flags & modeNoTruncate) != 0;
    const char* mode = "rb";
    if (write) {
        if (create && !keep) mode = (flags & modeReadWrite) ? "w+b" : "wb";
        else if (create && keep) mode = "a+b";  // created when missing, content kept
        else mode = "r+b";
    }
    errno = 0;
    m_fp = std::fopen(m_path.c_str(), mode);
    if (!m_fp) {
        m_last_error = errno;
        if (error) {
            error->m_cause = CFileException::cause_from_errno(m_last_error);
            error->m_strFileName = m_path;
        }
        return false;
    }
    if (write && create && keep) {
        // "a+" would force every write to the end; reopen read/write instead.
        std::FILE* rw = std::freopen(m_path.c_str(), "r+b", m_fp);
        if (!rw) {
            m_last_error = errno;
            m_fp = nullptr;
            if (error) {
                error->m_cause = CFileException::cause_from_errno(m_last_error);
                error->m_strFileName = m_path;
            }
            return false;
        }
        m_fp = rw;
    }
    return true;
}

bool CStdioFile::OpenRegularForRead(const char* path, CFileException* error) {
    Close();
    m_path = path ? path : "";
    m_last_error = 0;
    int cause = CFileException::none;
    // Non-blocking, so that opening a FIFO without a writer returns at once.
    const int fd = ::open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat st {};
    if (fd < 0) {
        m_last_error = errno;
        cause = CFileException::cause_from_errno(m_last_error);
    } else if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        m_last_error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        cause = CFileException::invalidFile;
    } else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0 || !(m_fp = ::fdopen(fd, "rb"))) {
        m_last_error = errno ? errno : EIO;
        cause = CFileException::cause_from_errno(m_last_error);
    }
    if (m_fp) return true;
    if (fd >= 0) ::close(fd);
    if (error) {
        error->m_cause = cause;
        error->m_strFileName = m_path;
    }
    return false;
}

long long CStdioFile::GetLength() const {
    struct stat st;
    if (!m_fp || ::fstat(::fileno(m_fp), &st) != 0) return -1;
    return static_cast<long long>(st.st_size);
}

void CStdioFile::Close() {
    if (m_fp) {
        std::fclose(m_fp);
        m_fp = nullptr;
    }
}

bool CStdioFile::ReadString(CString& line) { return ReadString(line, static_cast<size_t>(-1), nullptr); }

bool CStdioFile::ReadString(CString& line, size_t max_length, bool* too_long) {
    line.Empty();
    if (too_long) *too_long = false;
    if (!m_fp) return false;
    std::string& s = line.str();
    int c;
    bool any = false;
    bool over = false;
    while ((c = getc_unlocked(m_fp)) != EOF) {
        any = true;
        if (c == '\n') break;
        if (over) continue;
        // One byte more than the cap is kept, for a "\r" before the line end.
        if (s.size() > max_length) {
            over = true;
            s.clear();
            s.shrink_to_fit();
            continue;
        }
        s.push_back(static_cast<char>(c));
    }
    if (!s.empty() && s.back() == '\r') s.pop_back();
    if (!over && s.size() > max_length) over = true;
    if (over) {
        s.clear();
        if (too_long) *too_long = true;
    }
    return any;
}

bool CStdioFile::WriteString(const char* text) {
    if (!m_fp) return false;
    const std::string_view t(text ? text : "");
    if (!t.empty() && std::fwrite(t.data(), 1, t.size(), m_fp) != t.size()) {
        m_last_error = errno ? errno : EIO;
        return false;
    }
    return true;
}

bool CStdioFile::Flush() {
    if (!m_fp) return false;
    if (std::fflush(m_fp) != 0) {
        m_last_error = errno ? errno : EIO;
        return false;
    }
    return true;
}

void CStdioFile::SeekToEnd() {
    if (m_fp) std::fseek(m_fp, 0, SEEK_END);
}

void CStdioFile::SeekToBegin() {
    if (m_fp) std::fseek(m_fp, 0, SEEK_SET);
}
