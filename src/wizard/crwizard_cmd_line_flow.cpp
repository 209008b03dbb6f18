// The command-line flow: a calling program creates a variation from
// brixfunction parameters and ports alone. The rules validator completes and
// checks them, the one wizard map that fits turns them into the wizard's own
// settings, and the page sequence produces the variation from those. Every
// problem goes back to the caller as an ERR_MSG record, never as a box.
#include <cstdlib>

#include "cnx/crrules_validator.h"
#include "support/bwizc_device_family.h"
#include "support/bwizc_global.h"
#include "wizard/crwizard.h"

namespace {

const char* const UNKNOWN_BRIXFUNCTION_TEXT =
    "The specified brixfunction is not known or not supported in command line mode";
const char* const NO_VALID_WIZARD_TEXT = "No valid wizard found for the specified combination of ports and parameters";

CString without_module_side(const CString& name) {
    return name.Left(1) == CRCNX_ITEM_CONNECTION::MODULE_SIDE_ID ? name.Mid(1) : name;
}

}  // namespace

CString CRWIZARD::get_mf_port_name_from_wiz_port_name(const CString& wiz_port_name) {
    const CString at_name = CString(CRCNX_ITEM_CONNECTION::MODULE_SIDE_ID) + wiz_port_name;
    BWIZC_OBJ_MAP<CRCNX_ITEM_CONNECTION>& connections = m_cnx_manager.get_connection_table();
    for (const CString& key : {wiz_port_name, at_name}) {
        for (const auto& entry : connections) {
            if (entry.second->m_port_name == key) return without_module_side(entry.second->m_other_port_name);
        }
    }
    for (const auto& entry : connections) {
        const CRCNX_ITEM_CONNECTION& c = *entry.second;
        if (c.m_other_port_name == wiz_port_name || c.m_other_port_name == at_name) {
            return without_module_side(c.m_port_name);
        }
        if (c.m_port_name == wiz_port_name || c.m_port_name == at_name) return without_module_side(c.m_other_port_name);
    }
    return CString();
}

bool CRWIZARD::run_cmd_line_flow() {
    if (!is_cmd_line_flow()) return false;
    m_page_manager.wizard_var_to_param();

    // A refused request gives the caller its error records alone: nothing
    // the wizard derived on the way is a variation.
    auto refuse = [&] {
        m_cnx_manager.delete_all_written_items();
        m_cnx_manager.get_gen_file_list().delete_all();
        return true;
    };
    const CRCNX_ITEM_CONSTANT* module = m_cnx_manager.find_read_constant("MODULE");
    CString name = module ? module->get_value() : CString();
    if (name.IsEmpty()) {
        m_cnx_manager.add_cnx_err_msg(new CRCNX_ITEM_ERR_MSG(UNKNOWN_BRIXFUNCTION_TEXT));
        return refuse();
    }
    if (name.Left(1) == "\"") name = name.Mid(1);
    if (name.Right(1) == "\"") name = name.Left(name.GetLength() - 1);

    CRules_Validator validator(
        name, bwizc_global_get_absolute_path_from_app("../libraries/brixfunctions/" + name + "_rules.xml"));
    BRIX_INFO& database = validator.get_brix_info();
    auto report_database_errors = [&] {
        database.reset_error_message_list();
        for (CString message = database.get_next_error_message(); !message.IsEmpty();
             message = database.get_next_error_message()) {
            m_cnx_manager.add_cnx_err_msg(new CRCNX_ITEM_ERR_MSG(message));
        }
        return refuse();
    };
    if (!validator.get_validator().is_loaded()) return report_database_errors();

    validator.initialize_validator();
    database.add_brix_object("USE_WIZARD", BRIX_OBJ_OTHER)->add_value("ON", -1);
    validator.clear_supplied_names();
    BRIX_RULES_VALIDATOR& rules = validator.get_validator();

    // The parameters: the caller's value wherever the caller gave one.
    for (const auto& entry : m_cnx_manager.get_constant_table()) {
        CRCNX_ITEM_CONSTANT& constant = *entry.second;
        const CString& constant_name = constant.get_name();
        if (constant_name == "MODULE") continue;
        const CRCNX_ITEM_CONSTANT* read = m_cnx_manager.find_read_constant(constant_name);
        if (read) {
            if (constant.is_numeric()) constant.set_value(cgx_int_to_string(bwizc_global_str2int(read->get_value()), 10));
            else constant.set_value(read->get_value());
        }
        BRIX_OBJ_INFO* object = rules.get_parameter_object(constant_name);
        if (object && read) object->set_supplied(true);
        // The parameter object is the database object of that name, so one
        // assignment sets both.
        if (object) {
            object->set_value(constant.is_numeric() ? cgx_int_to_string(bwizc_global_str2int(constant.get_value()), 10)
                                                    : constant.get_value());
        }
        if (read) validator.add_supplied_name(constant_name);
    }
    // A parameter the caller gave that the wizard does not write (yet)
    // still counts: it can decide the protocol, the map and the rules.
    for (const auto& entry : m_cnx_manager.get_read_constant_table()) {
        const CRCNX_ITEM_CONSTANT& read = *entry.second;
        if (read.get_name() == "MODULE" || m_cnx_manager.find_cnx_constant(read.get_name())) continue;
        if (BRIX_OBJ_INFO* object = rules.get_parameter_object(read.get_name())) {
            object->set_value(read.is_numeric() ? cgx_int_to_string(bwizc_global_str2int(read.get_value()), 10)
                                                : read.get_value());
            object->set_supplied(true);
            validator.add_supplied_name(read.get_name());
        }
    }

    // The device family: the caller's when it names a known one.
    const BWIZC_RDEVICE_FAMILY* family = get_cgx_device_family_obj();
    if (const CRCNX_ITEM_CONSTANT* intended = m_cnx_manager.find_read_constant("INTENDED_DEVICE_FAMILY")) {
        if (const BWIZC_RDEVICE_FAMILY* known = bwizc_global_get_device_family(intended->get_value())) family = known;
    }
    if (family) {
        for (const char* parameter : {"DEVICE_FAMILY", "INTENDED_DEVICE_FAMILY"}) {
            if (rules.get_parameter_object(parameter)) rules.set_parameter_value(parameter, family->get_family_name());
        }
    }

    // The ports: the wizard's own use, overridden by the caller's list in
    // both directions ("-name" is a port the caller does not use).
    CStringArray unlisted;
    auto caller_unlisted = [&](const CString& port) {
        return m_cnx_manager.find_read_port("-" + port) != nullptr;
    };
    auto mark_port = [&](const CString& port, bool used) {
        if (BRIX_OBJ_INFO* object = rules.get_port_object(port)) object->set_used(used);
        validator.add_supplied_name(port);
    };
    for (const auto& entry : m_cnx_manager.get_port_table()) {
        const CString& port = entry.second->get_name();
        if (port.Left(1) == "-") {
            mark_port(port.Mid(1), m_cnx_manager.find_read_port(port.Mid(1)) != nullptr);
            continue;
        }
        CString brix_port = get_mf_port_name_from_wiz_port_name(port);
        if (brix_port.IsEmpty() && port.Left(1) != CRCNX_ITEM_CONNECTION::MODULE_SIDE_ID) brix_port = port;
        if (!brix_port.IsEmpty()) mark_port(brix_port, !caller_unlisted(brix_port));
    }
    // "-p" outweighs a "p" of the same file (a variation the caller edits),
    // so that reading the records back cannot use the port again.
    for (const auto& entry : m_cnx_manager.get_read_port_table()) {
        const CString& port = entry.second->get_name();
        if (port.Left(1) == "-") unlisted.Add(port.Mid(1));
    }
    for (int i = 0; i < unlisted.GetSize(); ++i) delete m_cnx_manager.get_read_port_table().remove_key(unlisted.GetAt(i));
    // A port the caller lists that the wizard's defaults leave out.
    for (const auto& entry : m_cnx_manager.get_read_port_table()) {
        const CString& port = entry.second->get_name();
        const bool unused = port.Left(1) == "-";
        const CString brix_port = unused ? port.Mid(1) : port;
        if (m_cnx_manager.find_cnx_port(brix_port)) continue;
        mark_port(brix_port, !unused && !caller_unlisted(brix_port));
    }

    if (!validator.run_validator()) return report_database_errors();
    if (!validator.do_wizard_mapping()) {
        m_cnx_manager.add_cnx_err_msg(new CRCNX_ITEM_ERR_MSG(NO_VALID_WIZARD_TEXT));
        return report_database_errors();
    }

    BRIX_WIZARD_MAP* map = validator.get_selected_wizard_map();
    map->reset_iteration();
    while (BRIX_OBJ_INFO* object = map->get_next_brix_obj()) {
        if (object->is_port()) {
            // A port the map leaves unused must not survive from the wizard's
            // own defaults; a used one is recorded whatever they said.
            if (object->is_selected()) {
                m_cnx_manager.add_cnx_port(new CRCNX_ITEM_USED_PORT(object->get_name(), 0, 0, 0, 0,
                                                                   CRCNX_ITEM_USED_PORT::IN_PORT_TYPE,
                                                                   CRCNX_ITEM_USED_PORT::NODEFVAL, CString()));
            } else {
                m_cnx_manager.remove_cnx_port(object->get_name());
            }
            continue;
        }
        if (!object->is_selected() || !object->is_parameter()) continue;
        const bool numeric = object->get_kind() == BRIX_OBJ_NUMERIC_PARAM;
        CString value = object->get_value();
        if (numeric) value.Format("%d", bwizc_global_token_is_numeric(value) ? std::atoi(value.c_str()) : 0);
        const char* type = numeric ? CRCNX_ITEM_TYPED_VALUE::NUMERIC_TYPE : CRCNX_ITEM_TYPED_VALUE::STRING_TYPE;
        if (object->is_constant()) {
            m_cnx_manager.add_cnx_constant(new CRCNX_ITEM_CONSTANT(object->get_name(), type, value));
        } else {
            m_cnx_manager.add_cnx_private(new CRCNX_ITEM_PRIVATE(object->get_name(), type, value));
        }
    }
    if (family) m_page_manager.param_to_wizard_var(family);
    return false;
}
