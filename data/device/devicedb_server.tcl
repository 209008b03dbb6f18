# Device database server of the kv2gxb wizard.
#
# The wizard writes one command per line on standard input. Every line is
# run at global level and answered on standard output:
#   <element count>
#   <element 1>
#   ...
# A backslash inside an element is written "\\", a newline "\n" and a carriage
# return "\r", so every element is exactly one line. A command that fails is
# answered "-1" followed by one line of message. Every answer is flushed at
# once, since the wizard waits for it. The server ends at end of input or on
# the "exit" command.
#
# A line is read as a list of words, never substituted: the wizard puts text
# the user typed (a data rate) into its commands, and brackets or dollars in
# it must stay text. Only the database's commands may be named: the queries
# of the loaded package, "load_package", "exit", and "list" (which answers its
# own words, for checking the framing by hand).
#
#   tclsh devicedb_server.tcl --dump [part]
# prints every configuration key of the part (default KV2VGX130KF1508C3) with
# the answers of all its preset queries, for whoever maintains the data.

set devicedb_dir [file dirname [file normalize [info script]]]
if {[lsearch -exact $auto_path $devicedb_dir] < 0} {
    lappend auto_path $devicedb_dir
}

# Loads a command package of the database ("device_features").
proc load_package {name} {
    return [list [package require $name]]
}

proc devicedb_escape_element {text} {
    return [string map [list "\\" "\\\\" "\n" "\\n" "\r" "\\r"] $text]
}

# Writes one answer. A result that is not a well-formed list is one element.
proc devicedb_write_answer {chan result} {
    if {[catch {llength $result} count]} {
        set elements [list $result]
    } else {
        set elements $result
    }
    puts $chan [llength $elements]
    foreach element $elements {
        puts $chan [devicedb_escape_element $element]
    }
}

proc devicedb_write_failure {chan message} {
    puts $chan -1
    # Only the first line of the message: the failure answer is two lines.
    set first [lindex [split $message "\n"] 0]
    puts $chan [devicedb_escape_element $first]
}

proc devicedb_is_command {name} {
    if {$name in {load_package list exit}} {
        return 1
    }
    return [expr {[namespace exists ::device_features]
        && $name in [namespace eval ::device_features {namespace export}]}]
}

proc devicedb_run_line {line} {
    if {![string is list $line]} {
        error "not a command: unbalanced braces or quotes"
    }
    if {[llength $line] == 0} {
        return {}
    }
    set name [lindex $line 0]
    if {![devicedb_is_command $name]} {
        error "unknown command \"$name\""
    }
    # A canonical list runs as one command whose words are its elements.
    return [uplevel #0 [lrange $line 0 end]]
}

proc devicedb_serve {} {
    fconfigure stdin -translation auto -encoding utf-8 -buffering line
    fconfigure stdout -translation lf -encoding utf-8 -buffering full
    while {[gets stdin line] >= 0} {
        # A "return" is a normal answer; error, break and continue are
        # failures.
        set code [catch {devicedb_run_line $line} result]
        if {$code == 0 || $code == 2} {
            devicedb_write_answer stdout $result
        } else {
            devicedb_write_failure stdout $result
        }
        flush stdout
    }
}

proc devicedb_dump {part} {
    load_package device_features
    load_device_info $part
    foreach key [get_config_keys] {
        puts $key
        foreach query [device_features::preset_queries] {
            if {[string first VELARISIIGX_ATOM_PARAM $query] >= 0} {
                set answer [get_atom_param_value -config_key $key -atom_param $query]
            } else {
                set answer [$query $key]
            }
            puts [format "    %-80s %s" $query [join $answer " | "]]
        }
    }
}

if {[lindex $argv 0] eq "--dump"} {
    set part KV2VGX130KF1508C3
    if {[llength $argv] > 1} {
        set part [lindex $argv 1]
    }
    if {[catch {devicedb_dump $part} message]} {
        puts stderr $message
        exit 1
    }
    exit 0
}

devicedb_serve
