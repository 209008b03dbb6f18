// Text files read line by line and written, with the failure causes the
// wizard reports to the user.
#pragma once

#include <cstddef>
#include <cstdio>

#include "platform/cstring.h"

class CFileException {
public:
    // Causes, numbered as the calling program's file exceptions are.
    enum {
        none = 0,
        genericException = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };

    CFileException() = default;
    CFileException(int cause, const CString& file_name) : m_cause(cause), m_strFileName(file_name) {}

    // The cause that an errno value from open, read or write stands for.
    static int cause_from_errno(int err);

    int m_cause = none;
    CString m_strFileName;
};

class CStdioFile {
public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };

    CStdioFile() = default;
    ~CStdioFile();
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;

    // Opens the file; on failure fills *error (when given) and returns false.
    bool Open(const char* path, unsigned flags, CFileException* error = nullptr);
    // Opens an existing regular file for reading. Anything else (a directory,
    // a FIFO, a device) is refused without blocking, with cause invalidFile.
    bool OpenRegularForRead(const char* path, CFileException* error = nullptr);
    void Close();
    bool IsOpen() const { return m_fp != nullptr; }

    // Reads one line without its line end ("\n" or "\r\n"); false at end of
    // file. A line may hold any bytes, NUL included.
    bool ReadString(CString& line);
    // The same, keeping at most max_length bytes: the rest of a longer line
    // is read past and *too_long set (line then holds nothing).
    bool ReadString(CString& line, size_t max_length, bool* too_long);
    // Writes the text as it is; false when the write failed (m_last_error set).
    bool WriteString(const char* text);
    bool Flush();
    void SeekToEnd();
    void SeekToBegin();

    // Size in bytes of the open file, -1 when unknown.
    long long GetLength() const;
    const CString& GetFilePath() const { return m_path; }
    // errno of the last failed operation, 0 when none failed.
    int last_error() const { return m_last_error; }

private:
    std::FILE* m_fp = nullptr;
    CString m_path;
    int m_last_error = 0;
};
