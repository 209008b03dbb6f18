#include "test_wizard.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/message_box.h"
#include "platform/user_input.h"
#include "platform/wizman_transport.h"

namespace test_wizard {

namespace {
void register_page_template(int number) {
    const UINT id = TEST_PAGE_TEMPLATE_ID + static_cast<UINT>(number);
    if (bwizc_find_dialog_template(id)) return;
    BWIZC_DIALOG_TEMPLATE tmpl;
    tmpl.id = id;
    tmpl.caption.Format("Page %d", number);
    tmpl.cx = 200;
    tmpl.cy = 120;
    tmpl.items.push_back(BWIZC_DIALOG_ITEM::edit_text(IDC_TEST_EDIT, 10, 10, 100, 14));
    bwizc_register_dialog_template(tmpl);
}
}  // namespace

TEST_PAGE::TEST_PAGE(int n, const CString& cnx_id, int page_index)
    : CRWIZARD_INDEXED_PAGE(TEST_PAGE_TEMPLATE_ID + static_cast<UINT>(n), page_index), number(n), value("v") {
    register_page_template(n);
    add_and_register_control(&value, cnx_id);
}

void TEST_PAGE::on_init_dialog() {
    if (auto* wizard = dynamic_cast<TEST_WIZARD*>(get_wizard_ref())) wizard->shown_captions.push_back(GetWindowText());
    if (next_index_to_request >= 0) set_next_page_index(next_index_to_request);
}

void TEST_PAGE::wizard_var_to_param() {
    auto* wizard = dynamic_cast<TEST_WIZARD*>(get_wizard_ref());
    if (number == 1 && wizard && !wizard->module_name.IsEmpty() && get_cnx_manager_ref()) {
        get_cnx_manager_ref()->add_cnx_module(new CRCNX_ITEM_MODULE(wizard->module_name, ""));
    }
}

CString TEST_PAGE::get_map_file_entries() {
    CString name;
    name.Format("P%d", number);
    return get_map_file_numeric_param_entry(name) + get_map_file_port_rule_entry("clk" + name);
}

TEST_WIZARD::TEST_WIZARD(int count, int indexed) : page_count(count), indexed_page(indexed) {}

bool TEST_WIZARD::on_init_wizard() {
    set_wizard_name("testwiz");
    for (int i = 1; i <= page_count; ++i) {
        CString id;
        id.Format("value_%d", i);
        auto* page = i - 1 == indexed_page ? new TEST_PAGE(i, "use_x", 2) : new TEST_PAGE(i, id);
        if (requested_next.count(i)) page->next_index_to_request = requested_next[i];
        pages.push_back(page);
        CString label;
        label.Format("Page %d", i);
        add_page_with_label(page, "PARAM_SETTINGS", label);
    }
    return true;
}

bool run(TEST_WIZARD& wizard, const std::string& command_line, BWIZC_INPUT_SCRIPT* script) {
    if (script) script->install();
    bwizc_set_deadlock_handler([](CDialog* dialog, const CString& message) {
        ADD_FAILURE() << "deadlock on " << dialog->get_dialog_name().c_str() << ": " << message.c_str();
    });
    std::vector<CString> arguments;
    std::istringstream words(command_line);
    for (std::string word; words >> word;) arguments.emplace_back(word.c_str());
    wizard.set_arguments(arguments);
    const bool result = wizard.InitInstance();
    bwizc_set_input_driver(nullptr);
    bwizc_set_deadlock_handler(nullptr);
    g_is_in_silent_mode = false;
    if (script) {
        EXPECT_TRUE(script->is_done()) << "script steps left over";
    }
    return result;
}

bool run(TEST_WIZARD& wizard, const std::string& command_line,
         std::initializer_list<BWIZC_INPUT_SCRIPT::STEP> steps) {
    BWIZC_INPUT_SCRIPT script;
    for (const BWIZC_INPUT_SCRIPT::STEP& step : steps) script.then(step);
    return run(wizard, command_line, &script);
}

BWIZC_INPUT_SCRIPT::STEP press(UINT button_id, const std::string& page_caption) {
    return [button_id, page_caption](CDialog* dialog) {
        const std::string caption = dialog->GetWindowText().c_str();
        if (!caption.ends_with(page_caption)) {
            ADD_FAILURE() << "expected page '" << page_caption << "', found '" << caption << "'";
        }
        EXPECT_TRUE(bwizc_user_click(dialog, button_id)) << "button " << button_id << " on " << caption;
        return true;
    };
}

WIZMAN_LISTENER::WIZMAN_LISTENER(DWORD thread_id) {
    m_fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const CString name = bwizc_wizman_socket_name(thread_id);
    std::memcpy(addr.sun_path + 1, name.c_str(), static_cast<size_t>(name.GetLength()));
    const socklen_t length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.GetLength());
    m_bound = bind(m_fd, reinterpret_cast<sockaddr*>(&addr), length) == 0;
}

WIZMAN_LISTENER::~WIZMAN_LISTENER() { close(m_fd); }

std::vector<std::string> WIZMAN_LISTENER::received() {
    std::vector<std::string> messages;
    char buffer[256];
    for (ssize_t n; (n = recv(m_fd, buffer, sizeof buffer, 0)) > 0;) messages.emplace_back(buffer, static_cast<size_t>(n));
    return messages;
}

}  // namespace test_wizard
