# device_features: the transceiver query commands of the device database.
#
# A part file (parts/<part>.tcl) describes the part with two commands of this
# package: "device_part" gives the transceiver block's physical limits (channel
# count, reference-clock range, CMU PLL dividers and VCO range, serial rate
# ranges by width mode), and "config_key" gives each legal configuration of
# the block. Everything that follows from the physics (data-rate and
# input-clock lists, run lengths, word-align pattern lengths, channel counts)
# is computed here from those limits, never stored per key.
#
# Values are answered in the wizard's vocabulary: protocol and subprotocol
# names as the wizard shows them, "any_value" for a setting the key leaves
# free, "Not_Used" for one it does not constrain, and a continuous rate or
# clock range as two numbers joined by "-".

package require Tcl 8.6

namespace eval device_features {
    variable libdir [file dirname [file dirname [file normalize [info script]]]]

    # The loaded part: its name, its limits and its configuration keys in
    # the order the part file declares them.
    variable part_name ""
    variable part [dict create]
    variable key_order [list]
    variable keys [dict create]

    # The questions the wizard asks for every key, in its table order.
    variable preset_query_list {
        get_protocol_name
        get_subprotocol_name
        get_hssi_op_mode_list
        get_hssi_channel_num_list
        get_hssi_data_rate_list
        get_hssi_inclk_freq_list
        VELARISIIGX_ATOM_PARAM_HSSI_RX_UINT_DATA_WIDTH
        VELARISIIGX_ATOM_PARAM_HSSI_RX_ENUM_DEC_8B10B_MODE
        VELARISIIGX_ATOM_PARAM_HSSI_RX_ENUM_BYTE_ORDERING_MODE
        VELARISIIGX_ATOM_PARAM_HSSI_RX_BOOL_USE_DESERIALIZER_DOUBLE_DATA_MODE
        VELARISIIGX_ATOM_PARAM_HSSI_RX_BOOL_ALLOW_SERIAL_LOOPBACK
        VELARISIIGX_ATOM_PARAM_HSSI_RX_ENUM_RATE_MATCH_FIFO_MODE
        get_hssi_run_length_list
        VELARISIIGX_ATOM_PARAM_HSSI_RX_BOOL_BIT_SLIP_ENABLE
        VELARISIIGX_ATOM_PARAM_HSSI_RX_BOOL_DEC_8B10B_COMPATIBILITY_MODE
        VELARISIIGX_ATOM_PARAM_HSSI_RX_ENUM_SELF_TEST_MODE
        VELARISIIGX_ATOM_PARAM_HSSI_RX_BOOL_USE_RISING_EDGE_TRIGGERED_PATTERN_ALIGN
        VELARISIIGX_ATOM_PARAM_HSSI_RX_UINT_ALIGN_PATTERN_LENGTH
        VELARISIIGX_ATOM_PARAM_HSSI_RX_STRING_ALIGN_PATTERN
        VELARISIIGX_ATOM_PARAM_HSSI_RX_BOOL_ENABLE_TRUE_COMPLEMENT_MATCH_IN_WORD_ALIGN
        VELARISIIGX_ATOM_PARAM_HSSI_RX_STRING_BYTE_ORDER_PATTERN
        VELARISIIGX_ATOM_PARAM_HSSI_RX_UINT_RATE_MATCH_PATTERN_SIZE
    }

    # Atom parameters answered from a key attribute, with the answer used
    # when the key does not give the attribute ("" = computed).
    variable atom_params {
        HSSI_RX_UINT_DATA_WIDTH                             {widths {}}
        HSSI_RX_ENUM_DEC_8B10B_MODE                         {coding {}}
        HSSI_RX_ENUM_BYTE_ORDERING_MODE                     {byte_ordering none}
        HSSI_RX_BOOL_USE_DESERIALIZER_DOUBLE_DATA_MODE      {width_mode {}}
        HSSI_RX_BOOL_ALLOW_SERIAL_LOOPBACK                  {loopback false}
        HSSI_RX_ENUM_RATE_MATCH_FIFO_MODE                   {rate_match none}
        HSSI_RX_BOOL_BIT_SLIP_ENABLE                        {bitslip false}
        HSSI_RX_BOOL_DEC_8B10B_COMPATIBILITY_MODE           {compatibility true}
        HSSI_RX_ENUM_SELF_TEST_MODE                         {self_test none}
        HSSI_RX_BOOL_USE_RISING_EDGE_TRIGGERED_PATTERN_ALIGN {rising_edge Not_Used}
        HSSI_RX_UINT_ALIGN_PATTERN_LENGTH                   {align_lengths {}}
        HSSI_RX_STRING_ALIGN_PATTERN                        {align_pattern Not_Used}
        HSSI_RX_BOOL_ENABLE_TRUE_COMPLEMENT_MATCH_IN_WORD_ALIGN {true_complement Not_Used}
        HSSI_RX_STRING_BYTE_ORDER_PATTERN                   {byte_order_pattern Not_Used}
        HSSI_RX_UINT_RATE_MATCH_PATTERN_SIZE                {rate_match_pattern_size Not_Used}
    }

    # Relative tolerance when a computed frequency is compared with a
    # standard one written with fewer digits (74.1758 for 74.25/1.001).
    variable tolerance 1e-5

    # Relative tolerance of a reference clock the wizard sends against a
    # protocol's standard clock. A clock entered as a period arrives as
    # 1000 / period with three decimals of nanoseconds, up to 311 ppm off at
    # 622.08 MHz; 400 ppm covers that and still tells 74.25 from 74.25/1.001.
    variable clock_tolerance 4e-4

    # The ends of a range are exact: the wizard checks entered rates and
    # clocks against the same ends without slack. This only absorbs the
    # rounding of a computed value that lands on an end.
    variable range_tolerance 1e-9

    namespace export load_device_info get_config_keys get_protocol_name \
        get_subprotocol_name get_hssi_op_mode_list get_hssi_channel_num_list \
        get_hssi_data_rate_list get_hssi_inclk_freq_list get_hssi_run_length_list \
        get_atom_param_value
}

# ---------------------------------------------------------------------------
# Part description commands (used by the part files)

proc device_features::device_part {name attributes} {
    variable part_name
    variable part
    set required {channels refclk_range pfd_range vco_range pre_dividers
        feedback_dividers rate_dividers single_width_rate_range
        double_width_rate_range}
    foreach attr $required {
        if {![dict exists $attributes $attr]} {
            error "device_part $name: missing \"$attr\""
        }
    }
    set part_name $name
    set part $attributes
}

proc device_features::config_key {name attributes} {
    variable keys
    variable key_order
    if {[dict exists $keys $name]} {
        error "config_key $name: declared twice"
    }
    foreach attr {protocol subprotocol width_mode widths coding} {
        if {![dict exists $attributes $attr]} {
            error "config_key $name: missing \"$attr\""
        }
    }
    if {[dict get $attributes width_mode] ni {single double}} {
        error "config_key $name: width_mode must be single or double"
    }
    dict set keys $name $attributes
    lappend key_order $name
}

# ---------------------------------------------------------------------------
# Numbers

proc device_features::require_number {what text} {
    if {![string is double -strict $text]} {
        error "$what \"$text\" is not a number"
    }
    return [expr {double($text)}]
}

# The number with at most `decimals` decimals, trailing zeros dropped.
proc device_features::format_number {value decimals} {
    set text [format "%.${decimals}f" $value]
    if {[string first . $text] >= 0} {
        set text [string trimright [string trimright $text 0] .]
    }
    return $text
}

proc device_features::near {a b {relative ""}} {
    variable tolerance
    if {$relative eq ""} {
        set relative $tolerance
    }
    set scale [expr {max(abs($a), abs($b))}]
    return [expr {abs($a - $b) <= $relative * $scale}]
}

# A wanted clock, or a rate derived from it, against a standard one.
proc device_features::near_clock {a b} {
    variable clock_tolerance
    return [near $a $b $clock_tolerance]
}

proc device_features::within {value range} {
    variable range_tolerance
    lassign $range lo hi
    set lo_slack [expr {$range_tolerance * max(abs($lo), 1.0)}]
    set hi_slack [expr {$range_tolerance * max(abs($hi), 1.0)}]
    return [expr {$value >= $lo - $lo_slack && $value <= $hi + $hi_slack}]
}

proc device_features::range_text {range decimals} {
    lassign $range lo hi
    return "[format_number $lo $decimals]-[format_number $hi $decimals]"
}

# Sorted numbers without near-duplicates.
proc device_features::unique_sorted {values} {
    set result [list]
    foreach v [lsort -real $values] {
        if {[llength $result] == 0 || ![near [lindex $result end] $v]} {
            lappend result $v
        }
    }
    return $result
}

# ---------------------------------------------------------------------------
# CMU PLL: reference clock -> pre-divider N -> phase detector -> VCO at
# PFD * M -> serial rate 2 * VCO / L (the serializer uses both clock edges).

proc device_features::clocks_for_rate {rate} {
    variable part
    set clocks [list]
    foreach l [dict get $part rate_dividers] {
        set vco [expr {$rate * $l / 2.0}]
        if {![within $vco [dict get $part vco_range]]} continue
        foreach m [dict get $part feedback_dividers] {
            set pfd [expr {$vco / $m}]
            if {![within $pfd [dict get $part pfd_range]]} continue
            foreach n [dict get $part pre_dividers] {
                set refclk [expr {$pfd * $n}]
                if {[within $refclk [dict get $part refclk_range]]} {
                    lappend clocks $refclk
                }
            }
        }
    }
    return [unique_sorted $clocks]
}

proc device_features::rates_for_clock {refclk} {
    variable part
    set rates [list]
    if {![within $refclk [dict get $part refclk_range]]} {
        return $rates
    }
    foreach n [dict get $part pre_dividers] {
        set pfd [expr {double($refclk) / $n}]
        if {![within $pfd [dict get $part pfd_range]]} continue
        foreach m [dict get $part feedback_dividers] {
            set vco [expr {$pfd * $m}]
            if {![within $vco [dict get $part vco_range]]} continue
            foreach l [dict get $part rate_dividers] {
                lappend rates [expr {2.0 * $vco / $l}]
            }
        }
    }
    return [unique_sorted $rates]
}

# ---------------------------------------------------------------------------
# Key attributes

proc device_features::key {name} {
    variable keys
    variable part_name
    if {$part_name eq ""} {
        error "no device loaded"
    }
    if {![dict exists $keys $name]} {
        error "unknown configuration key \"$name\""
    }
    return [dict get $keys $name]
}

proc device_features::attr {k name default} {
    if {[dict exists $k $name]} {
        return [dict get $k $name]
    }
    return $default
}

# A key either allows a continuous serial rate range (the part's range for
# its width mode) or a list of protocol rates.
proc device_features::rate_range_of {k} {
    variable part
    if {[dict exists $k data_rates]} {
        return {}
    }
    return [dict get $part [dict get $k width_mode]_width_rate_range]
}

proc device_features::key_allows_rate {k rate} {
    set range [rate_range_of $k]
    if {[llength $range]} {
        return [within $rate $range]
    }
    # The wizard matches a protocol rate as written (trailing zeros aside).
    variable range_tolerance
    foreach r [dict get $k data_rates] {
        if {[near $rate $r $range_tolerance]} {
            return 1
        }
    }
    return 0
}

# Legal reference clocks for a rate under a key: every clock the PLL can
# reach, narrowed to the protocol's standard clocks when the key names them.
proc device_features::key_clocks_for_rate {k rate} {
    if {![key_allows_rate $k $rate]} {
        return {}
    }
    set clocks [clocks_for_rate $rate]
    if {![dict exists $k refclks]} {
        set result [list]
        foreach c $clocks {
            lappend result [format_number $c 6]
        }
        return $result
    }
    set result [list]
    foreach standard [dict get $k refclks] {
        foreach c $clocks {
            if {[near $c $standard]} {
                lappend result $standard
                break
            }
        }
    }
    return $result
}

proc device_features::key_rates_for_clock {k refclk} {
    set rates [rates_for_clock $refclk]
    set range [rate_range_of $k]
    set result [list]
    if {[llength $range]} {
        foreach r $rates {
            if {[within $r $range]} {
                lappend result [format_number $r 4]
            }
        }
        return $result
    }
    # A protocol rate is reachable only from one of its standard clocks.
    if {[dict exists $k refclks]} {
        set standard 0
        foreach c [dict get $k refclks] {
            if {[near_clock $c $refclk]} {
                set standard 1
            }
        }
        if {!$standard} {
            return $result
        }
    }
    foreach wanted [dict get $k data_rates] {
        foreach r $rates {
            if {[near_clock $r $wanted]} {
                lappend result $wanted
                break
            }
        }
    }
    return $result
}

# Deserialization factor of a channel width and coding: the number of serial
# bits per deserializer word.
proc device_features::deserialization_factor {width coding width_mode} {
    set double [expr {$width_mode eq "double"}]
    switch -- $width {
        10 - 20 { return [expr {$double ? 20 : 10}] }
        8 - 16 {
            if {$coding eq "none"} {
                return [expr {$double ? 16 : 8}]
            }
            return [expr {$double ? 20 : 10}]
        }
        32 { return [expr {$coding eq "none" ? 16 : 20}] }
        40 { return 20 }
    }
    error "channel width $width is not supported"
}

proc device_features::key_factors {k} {
    set factors [list]
    foreach w [dict get $k widths] {
        foreach c [dict get $k coding] {
            lappend factors [deserialization_factor $w $c [dict get $k width_mode]]
        }
    }
    return [lsort -integer -unique $factors]
}

# The run-length checker counts in half deserializer words, 32 steps in
# single-width and 64 in double-width words.
proc device_features::key_run_lengths {k} {
    set values [list]
    foreach f [key_factors $k] {
        set step [expr {$f / 2}]
        set count [expr {$f <= 10 ? 32 : 64}]
        for {set i 1} {$i <= $count} {incr i} {
            lappend values [expr {$step * $i}]
        }
    }
    return [lsort -integer -unique $values]
}

# The word aligner matches within one deserializer word: 16 bits for 8-bit
# words, 7 or 10 for 10-bit words, 8, 16 or 32 for 16-bit words and 7, 10
# or 20 for 20-bit words.
proc device_features::key_align_lengths {k} {
    set by_factor {8 {16} 10 {7 10} 16 {8 16 32} 20 {7 10 20}}
    set values [list]
    foreach f [key_factors $k] {
        lappend values {*}[dict get $by_factor $f]
    }
    return [lsort -integer -unique $values]
}

# ---------------------------------------------------------------------------
# Commands of the database

proc device_features::load_device_info {name} {
    variable libdir
    variable part_name
    variable part
    variable keys
    variable key_order
    set file [file join $libdir parts $name.tcl]
    if {![regexp {^[A-Za-z0-9_]+$} $name] || ![file readable $file]} {
        error "unknown device \"$name\""
    }
    set part_name ""
    set part [dict create]
    set keys [dict create]
    set key_order [list]
    namespace eval ::device_features::partfile [list source $file]
    if {$part_name ne $name} {
        error "device file of \"$name\" describes \"$part_name\""
    }
    return [list $name]
}

proc device_features::get_config_keys {} {
    variable key_order
    variable part_name
    if {$part_name eq ""} {
        error "no device loaded"
    }
    return $key_order
}

proc device_features::get_protocol_name {key} {
    return [list [dict get [key $key] protocol]]
}

proc device_features::get_subprotocol_name {key} {
    return [list [dict get [key $key] subprotocol]]
}

proc device_features::get_hssi_op_mode_list {key} {
    return [attr [key $key] op_modes {{Receiver only} {Transmitter only} {Receiver and Transmitter}}]
}

proc device_features::get_hssi_channel_num_list {key} {
    variable part
    set lanes [attr [key $key] lanes 1]
    set result [list]
    for {set n $lanes} {$n <= [dict get $part channels]} {incr n $lanes} {
        lappend result $n
    }
    return $result
}

# get_hssi_data_rate_list <key>: the key's rates (a range "a-b" or a list).
# get_hssi_data_rate_list -inclk_freq <MHz> <key>: the rates reachable from
# that reference clock.
proc device_features::get_hssi_data_rate_list {args} {
    switch -- [llength $args] {
        1 {
            set k [key [lindex $args 0]]
            set range [rate_range_of $k]
            if {[llength $range]} {
                return [list [range_text $range 4]]
            }
            return [dict get $k data_rates]
        }
        3 {
            lassign $args option refclk name
            if {$option ne "-inclk_freq"} {
                error "usage: get_hssi_data_rate_list ?-inclk_freq MHz? key"
            }
            set k [key $name]
            return [key_rates_for_clock $k [require_number "input clock frequency" $refclk]]
        }
    }
    error "usage: get_hssi_data_rate_list ?-inclk_freq MHz? key"
}

# get_hssi_inclk_freq_list <key>: every reference clock the key can use.
# get_hssi_inclk_freq_list -data_rate <Mbps> <key>: those that give the rate.
proc device_features::get_hssi_inclk_freq_list {args} {
    variable part
    switch -- [llength $args] {
        1 {
            set k [key [lindex $args 0]]
            if {[llength [rate_range_of $k]]} {
                return [list [range_text [dict get $part refclk_range] 4]]
            }
            set result [list]
            foreach rate [dict get $k data_rates] {
                foreach c [key_clocks_for_rate $k $rate] {
                    if {$c ni $result} {
                        lappend result $c
                    }
                }
            }
            return $result
        }
        3 {
            lassign $args option rate name
            if {$option ne "-data_rate"} {
                error "usage: get_hssi_inclk_freq_list ?-data_rate Mbps? key"
            }
            set k [key $name]
            return [key_clocks_for_rate $k [require_number "data rate" $rate]]
        }
    }
    error "usage: get_hssi_inclk_freq_list ?-data_rate Mbps? key"
}

proc device_features::get_hssi_run_length_list {key} {
    return [key_run_lengths [key $key]]
}

proc device_features::get_atom_param_value {args} {
    variable atom_params
    if {[llength $args] != 4} {
        error "usage: get_atom_param_value -config_key key -atom_param name"
    }
    set options [dict create]
    foreach {option value} $args {
        if {$option ni {-config_key -atom_param}} {
            error "get_atom_param_value: unknown option \"$option\""
        }
        dict set options $option $value
    }
    if {![dict exists $options -config_key] || ![dict exists $options -atom_param]} {
        error "usage: get_atom_param_value -config_key key -atom_param name"
    }
    set k [key [dict get $options -config_key]]
    set name [dict get $options -atom_param]
    if {![regsub {^VELARISIIGX_ATOM_PARAM_} $name {} short]
            || ![dict exists $atom_params $short]} {
        error "unknown atom parameter \"$name\""
    }
    lassign [dict get $atom_params $short] attribute default
    switch -- $short {
        HSSI_RX_BOOL_USE_DESERIALIZER_DOUBLE_DATA_MODE {
            return [list [expr {[dict get $k width_mode] eq "double" ? "true" : "false"}]]
        }
        HSSI_RX_UINT_ALIGN_PATTERN_LENGTH {
            return [attr $k align_lengths [key_align_lengths $k]]
        }
    }
    return [attr $k $attribute $default]
}

proc device_features::preset_queries {} {
    variable preset_query_list
    return $preset_query_list
}

# The part files see the two description commands unqualified.
namespace eval device_features::partfile {}
proc device_features::partfile::device_part {name attributes} {
    ::device_features::device_part $name $attributes
}
proc device_features::partfile::config_key {name attributes} {
    ::device_features::config_key $name $attributes
}

namespace eval :: {
    namespace import ::device_features::*
}

package provide device_features 1.0
