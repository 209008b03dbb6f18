// The wizard's side of the device database: the commands it sends and the
// filing of their answers.
#include <cstring>

#include "services/bwizc_tcl_shell_manager.h"
#include "transceiver/kvgxb_wizard.h"

HWND KVGXB_WIZARD::device_query_window() const {
    return m_query_client ? m_query_client->get_device_query_window() : nullptr;
}

void KVGXB_WIZARD::run_device_query(const CString& command) {
    BWIZC_TCL_SHELL_MANAGER::begin_command_block(device_query_window());
    BWIZC_TCL_SHELL_MANAGER::run_tcl_shell_command(command);
    BWIZC_TCL_SHELL_MANAGER::end_command_block();
}

void KVGXB_WIZARD::call_tcl_key_list() { run_device_query("get_config_keys"); }

bool KVGXB_WIZARD::start_device_enumeration() {
    if (enumeration_started) return false;
    call_tcl_with_keys(&key_array_list);
    return true;
}

void KVGXB_WIZARD::call_tcl_with_keys(CStringArray* keys) {
    enumeration_started = true;
    CString command;
    switch (setup_int) {
        case 0:
            command.Format("%s %s", "load_package", DEVICE_PACKAGE);
            ++setup_int;
            break;
        case 1:
            command.Format("%s %s", "load_device_info", DEVICE_PART);
            ++setup_int;
            break;
        case 2:
            command = "get_config_keys";
            ++setup_int;
            break;
        default: {
            const int key_count = keys ? keys->GetSize() : 0;
            if (key_index >= key_count) {
                // Every key answered: the page shows the full lists, and the
                // clock list of the rate entered is asked for.
                enumeration_done = true;
                if (m_query_client) m_query_client->on_device_enumeration_done();
                call_tcl_get_inclk_freq();
                return;
            }
            if (query_index < 0 || query_index >= KVGXB_PRESET_QUERY_COUNT) query_index = 0;
            const char* query = KVGXB_PRESET_QUERY_TBL[query_index].query;
            const CString key = keys->GetAt(key_index);
            if (std::strstr(query, ATOM_PARAM_QUERY_TAG)) {
                command.Format("get_atom_param_value -config_key %s -atom_param %s", key.c_str(), query);
            } else {
                command.Format("%s %s", query, key.c_str());
            }
            if (++query_index >= KVGXB_PRESET_QUERY_COUNT) {
                query_index = 0;
                if (++key_index >= key_count) last_one = true;
            }
            break;
        }
    }
    run_device_query(command);
}

void KVGXB_WIZARD::call_tcl_get_inclk_freq() {
    inclk_list_pending = true;
    const CString& data_rate = input_selection != 0 ? input_b : input_a;
    CString command;
    command.Format("get_hssi_inclk_freq_list -data_rate %s %s", data_rate.c_str(), tcl_key.c_str());
    run_device_query(command);
}

void KVGXB_WIZARD::call_tcl_get_data_rate() {
    data_rate_list_pending = true;
    CString command;
    command.Format("get_hssi_data_rate_list -inclk_freq %s %s", get_inclk_frequency_mhz_string().c_str(),
                   tcl_key.c_str());
    run_device_query(command);
}

void KVGXB_WIZARD::on_tcl_shell_command_done() {
    BWIZC_TCL_RESULT_ARRAY* results = BWIZC_TCL_SHELL_MANAGER::get_tokenized_result_array();
    for (int i = 0; i < results->GetSize(); ++i) {
        CStringArray* answer = results->GetAt(i);
        if (!answer) continue;  // a failed command
        const int number = blah_int++;
        if (number < 2) {
            // The package and the part are loaded; nothing to file.
            call_tcl_with_keys(&key_array_list);
        } else if (number == 2) {
            key_array_list.Copy(*answer);
            call_tcl_with_keys(&key_array_list);
        } else if (inclk_list_pending) {
            // A list answer ends its own exchange: no further command follows.
            inclk_frequency_array_list.Copy(*answer);
            inclk_list_pending = false;
            if (m_query_client) m_query_client->on_device_value_list_arrived();
        } else if (data_rate_list_pending) {
            data_rate_array_list.Copy(*answer);
            data_rate_list_pending = false;
            if (m_query_client) m_query_client->on_device_value_list_arrived();
        } else {
            file_preset_answer(number - 3, *answer);
            call_tcl_with_keys(&key_array_list);
        }
    }
}
