#include "platform/file.h"

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

void CStdioFile::Close() {
    if (m_fp) {
        std::fclose(m_fp);
        m_fp = nullptr;
    }
}

bool CStdioFile::ReadString(CString& line) {
    line.Empty();
    if (!m_fp) return false;
    std::string& s = line.str();
    int c;
    bool any = false;
    while ((c = std::getc(m_fp)) != EOF) {
        any = true;
        if (c == '\n') break;
        s.push_back(static_cast<char>(c));
    }
    if (!s.empty() && s.back() == '\r') s.pop_back();
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
