// Shell commands, browser launch, logging and file-error reports.
#include <cerrno>
#include <csignal>
#include <ctime>
#include <locale.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "support/bwizc_global.h"
#include "support/bwizc_global_fonts.h"

extern char** environ;

namespace {

int exit_code_of(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return 0;
}

// The words of a command line: blanks and tabs separate them; text in single
// or double quotes is taken as it is, so a quoted path may hold blanks, and a
// backslash outside quotes takes the next character as it is ('it'\''s' is
// "it's").
std::vector<std::string> split_command_words(const CString& command) {
    std::vector<std::string> words;
    std::string word;
    bool in_word = false;
    bool escaped = false;
    char quote = 0;
    for (char ch : command.str()) {
        if (escaped) {
            word.push_back(ch);
            escaped = false;
        } else if (quote) {
            if (ch == quote) quote = 0;
            else word.push_back(ch);
        } else if (ch == '\\') {
            escaped = true;
            in_word = true;
        } else if (ch == '\'' || ch == '"') {
            quote = ch;
            in_word = true;
        } else if (ch == ' ' || ch == '\t') {
            if (in_word) words.push_back(std::move(word));
            word.clear();
            in_word = false;
        } else {
            word.push_back(ch);
            in_word = true;
        }
    }
    if (in_word) words.push_back(std::move(word));
    return words;
}

// Quotes text as one word of a command line.
CString shell_quote(const CString& text) {
    CString quoted = text;
    quoted.Replace("'", "'\\''");
    return "'" + quoted + "'";
}

// An executable regular file (a directory passes the access test too).
bool is_executable_file(const char* path) {
    struct stat st {};
    return ::stat(path, &st) == 0 && S_ISREG(st.st_mode) && ::access(path, X_OK) == 0;
}

// True when program names an executable file, directly or on PATH.
bool program_available(const CString& program) {
    if (program.IsEmpty()) return false;
    if (program.Find('/') >= 0) return is_executable_file(program.c_str());
    const char* path = ::getenv("PATH");
    const std::string dirs = path ? path : "/usr/bin:/bin";
    for (size_t start = 0;;) {
        size_t colon = dirs.find(':', start);
        std::string candidate = dirs.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        if (candidate.empty()) candidate.push_back('.');
        candidate.push_back('/');
        candidate.append(program.str());
        if (is_executable_file(candidate.c_str())) return true;
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    return false;
}

// The browsers tried when the user named none: the desktop's opener (which
// hands the page to a running browser), then two browsers started directly.
const char* const BROWSER_PROGRAMS[] = {"xdg-open", "firefox", "chromium"};

// The command line that opens page in the browser the user named: the
// whole text when it is a program (its path may hold blanks), otherwise its
// first word as the program and the rest as options. "" when no program can
// be started, which is a failure like a browser that does not start.
CString given_browser_command(const CString& browser, const CString& page) {
    if (program_available(browser)) return shell_quote(browser) + " " + shell_quote(page);
    int blank = browser.FindOneOf(" \t");
    if (blank > 0 && program_available(browser.Left(blank))) return browser + " " + shell_quote(page);
    return CString();
}

}  // namespace

int bwizc_global_execute_shell_command(const CString& command, bool wait) {
    // The program is started itself, not through a shell, so a program that
    // does not exist is a start that failed.
    std::vector<std::string> words = split_command_words(command);
    if (words.empty()) return 0;
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return 0;

    int status = 0;
    if (!wait) {
        pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) return exit_code_of(status);
        // Reap the child when it ends so that it does not linger as a zombie.
        std::thread([pid] {
            int ignored = 0;
            while (::waitpid(pid, &ignored, 0) < 0 && errno == EINTR) {
            }
        }).detach();
        return BWIZC_STILL_ACTIVE;
    }
    for (;;) {
        pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) return exit_code_of(status);
        if (done < 0 && errno != EINTR) return 0;
        // A quit request ends the process; its exit code follows.
        if (!bwizc_global_peek_and_pump()) ::kill(pid, SIGTERM);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

bool bwizc_global_launch_browser(const CString& url, const CString& browser) {
    CString page = url;
    page.TrimRight();
    CString program = browser;
    program.TrimRight();
    if (page.IsEmpty()) return false;

    if (!program.IsEmpty()) {
        CString command = given_browser_command(program, page);
        if (!command.IsEmpty() && bwizc_global_execute_shell_command(command, false) > 0) return true;
    } else {
        for (const char* candidate : BROWSER_PROGRAMS) {
            if (!program_available(candidate)) continue;
            if (bwizc_global_execute_shell_command(CString(candidate) + " " + shell_quote(page), false) > 0) return true;
        }
    }
    bwizc_message_box(CString("Failed to launch the default browser or the browser\n") +
                      "specified under the \"Directories\" tab of the " +
                      "Settings dialog box of the Blockwright Plug-In Manager.\n\n" +
                      "Please specify a valid browser executable path in the\n" +
                      "Settings dialog box and relaunch the current plug-in");
    return false;
}

bool bwizc_global_log_into_file(const CString& text, bool overwrite, const CString& file) {
    CString name = file.IsEmpty() ? CString("logy.txt") : file;
    CString path = bwizc_global_get_absolute_path_from_app(name);
    if (path.IsEmpty()) return false;

    CStdioFile log;
    unsigned flags = CStdioFile::modeCreate | CStdioFile::modeWrite | CStdioFile::typeText;
    if (!overwrite) flags |= CStdioFile::modeNoTruncate;
    if (!log.Open(path, flags)) return false;
    if (!overwrite) log.SeekToEnd();

    char stamp[64] = "";
    std::time_t now = std::time(nullptr);
    std::tm local {};
    ::localtime_r(&now, &local);
    // Month names in the C locale, whatever the user's locale is.
    locale_t c_time = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
    if (c_time) {
        strftime_l(stamp, sizeof stamp, "\n%b %d %I%p:%M:%S>: ", &local, c_time);
        freelocale(c_time);
    } else {
        std::strftime(stamp, sizeof stamp, "\n%b %d %I%p:%M:%S>: ", &local);
    }
    bool ok = log.WriteString(CString(stamp) + text);
    log.Close();
    return ok;
}

CString bwizc_global_get_file_exception_message(const CFileException& exception) {
    const char* pattern = nullptr;
    switch (exception.m_cause) {
    case CFileException::fileNotFound: pattern = "File %s could not be opened"; break;
    case CFileException::badPath: pattern = "File path %s is invalid"; break;
    case CFileException::sharingViolation: pattern = "Sharing violation for file %s"; break;
    case CFileException::accessDenied: pattern = "Access denied to file %s"; break;
    case CFileException::diskFull: pattern = "Disk is full for writing %s"; break;
    case CFileException::endOfFile: pattern = "Unexpected end of file reached for %s"; break;
    case CFileException::hardIO: pattern = "Hardware error encountered for %s"; break;
    default: return CString("Unknown file error encountered");
    }
    CString message;
    message.Format(pattern, exception.m_strFileName.c_str());
    return message;
}

void bwizc_global_display_file_exception(const CFileException& exception) {
    bwizc_message_box(bwizc_global_get_file_exception_message(exception));
}

void bwizc_global_display_file_exception(const CFileException* exception) {
    bwizc_global_display_file_exception(exception ? *exception : CFileException());
}
