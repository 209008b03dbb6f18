// A small wizard for exercising the framework headlessly: a few plain pages,
// each with one text value bound to a PRIVATE record, plus the framework's
// simulation-library and summary pages.
#pragma once

#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "app/crwizard_app.h"
#include "platform/dialog.h"
#include "platform/input_driver.h"
#include "test_scratch.h"
#include "wizard/crwizard_page.h"

namespace test_wizard {

constexpr UINT TEST_PAGE_TEMPLATE_ID = 2000;  // + page number
constexpr UINT IDC_TEST_EDIT = 2100;

// A value control reduced to its text: what the exchange stores and loads.
class TEXT_VALUE : public CRVALUE_NOTIFIER {
public:
    explicit TEXT_VALUE(const CString& initial) : value(initial) { set_default(initial); }
    void on_ddx_value(SAVE_CHECK_MODE mode, CString& text) override {
        if (mode == DDX_SAVE) text = value;
        if (mode == DDX_RESTORE) value = text;
    }
    CString value;
};

class TEST_PAGE : public CRWIZARD_INDEXED_PAGE {
public:
    TEST_PAGE(int number, const CString& cnx_id, int page_index = -1);
    void on_init_dialog() override;
    bool wizard_page_is_valid() override { return valid; }
    void wizard_var_to_param() override;
    CString get_map_file_entries() override;

    int number;
    bool valid = true;
    int next_index_to_request = -1;
    TEXT_VALUE value;
};

class TEST_WIZARD : public CRWIZARD_APP {
public:
    explicit TEST_WIZARD(int page_count, int indexed_page = -1);
    bool on_init_wizard() override;
    TEST_PAGE* page(int i) { return i < static_cast<int>(pages.size()) ? pages[static_cast<size_t>(i)] : nullptr; }

    int page_count;
    int indexed_page;
    // Page number -> the list index that page asks to go to next.
    std::map<int, int> requested_next;
    // When set, the first page records a module of that name.
    CString module_name;
    std::vector<TEST_PAGE*> pages;
    // Every page shown, in order: its window caption.
    std::vector<CString> shown_captions;
};

// Runs the wizard with the command line (program name first) while `script`
// plays the user; returns InitInstance's result. Silent mode and the driver
// are reset afterwards; a deadlock is reported as a test failure.
bool run(TEST_WIZARD& wizard, const std::string& command_line, BWIZC_INPUT_SCRIPT* script);
// The same with a script of these steps, in order.
bool run(TEST_WIZARD& wizard, const std::string& command_line,
         std::initializer_list<BWIZC_INPUT_SCRIPT::STEP> steps);

// A step that presses a button of the page's button bar (by control id) on
// the page whose caption ends in `page_caption` ("" for any page).
BWIZC_INPUT_SCRIPT::STEP press(UINT button_id, const std::string& page_caption = std::string());

// Listens where the calling program would: the abstract socket of a thread id.
class WIZMAN_LISTENER {
public:
    explicit WIZMAN_LISTENER(DWORD thread_id);
    ~WIZMAN_LISTENER();
    WIZMAN_LISTENER(const WIZMAN_LISTENER&) = delete;
    WIZMAN_LISTENER& operator=(const WIZMAN_LISTENER&) = delete;
    bool is_bound() const { return m_bound; }
    // The payloads received since the last call.
    std::vector<std::string> received();

private:
    int m_fd = -1;
    bool m_bound = false;
};

}  // namespace test_wizard
