# KV2VGX130KF1508C3: transceiver block of the Velaris II GX part with 20
# channels in five quads.
#
# The physical limits come first; the configuration keys follow, one per
# legal protocol mode. Lists that follow from the limits (rates, clocks, run
# lengths, align lengths, channel counts) are computed by device_features.

device_part KV2VGX130KF1508C3 {
    family                  "Velaris II GX"
    channels                20
    refclk_range            {62 622.08}
    pfd_range               {50 325}
    vco_range               {1200 3187.5}
    pre_dividers            {1 2}
    feedback_dividers       {4 5 8 10 16 20 25}
    rate_dividers           {1 2 4}
    single_width_rate_range {622 3125}
    double_width_rate_range {3125 6375}
}

# ---------------------------------------------------------------------------
# Basic: every channel width of both width modes, each with the loopback and
# self-test variants it supports. The single-width keys are the 2G family
# (up to 3125 Mbps), the double-width keys the 6G family.

# Coding a channel width allows: the 8-bit multiples carry 8b/10b (cascaded in
# double width, where it can also be bypassed), the 10-bit multiples do not.
proc basic_coding {width_mode width} {
    if {$width_mode eq "single"} {
        return [expr {$width in {8 16} ? "normal" : "none"}]
    }
    return [expr {$width in {16 32} ? {cascaded none} : "none"}]
}

proc basic_byte_ordering {width_mode width} {
    set any {none {pattern based} {syncstatus based}}
    if {$width_mode eq "single"} {
        return [expr {$width >= 16 ? $any : "none"}]
    }
    switch -- $width {
        16 { return none }
        40 { return {{syncstatus based} {pattern based}} }
    }
    return $any
}

# Byte ordering of the looped-back keys: syncstatus based, except at double
# width 16, where the cascaded coder leaves the byte orderer out.
proc basic_looped_byte_ordering {width_mode width} {
    return [expr {$width_mode eq "double" && $width == 16 ? "none" : {{syncstatus based}}}]
}

proc basic_keys {family width_mode widths prbs_mode} {
    set n 0
    set prefix VELARISIIGX_CONFIG_MODE_BASIC_${family}
    set rate_match_mode [expr {$width_mode eq "single" ? "normal" : "cascaded"}]

    # No loopback; serial loopback is allowed as well.
    foreach width $widths {
        set coding [basic_coding $width_mode $width]
        set coded [expr {"none" ni $coding || [llength $coding] > 1}]
        set byte_ordering [basic_byte_ordering $width_mode $width]
        config_key ${prefix}_[incr n] [list \
            protocol Basic subprotocol none width_mode $width_mode \
            widths $width coding $coding \
            byte_ordering $byte_ordering \
            loopback any_value \
            rate_match [expr {$coded ? [list none $rate_match_mode] : "none"}] \
            bitslip {false true} compatibility Not_Used self_test none \
            align_pattern any_value \
            byte_order_pattern [expr {$byte_ordering eq "none" ? "Not_Used" : "any_value"}] \
            rate_match_pattern_size [expr {$coded ? {10 20} : "Not_Used"}]]
    }

    # Parallel loopback with the incremental self-test pattern: needs the
    # 8b/10b coder, so only the 8-bit multiples.
    foreach width $widths {
        if {[lindex [basic_coding $width_mode $width] 0] eq "none"} continue
        set byte_ordering [basic_looped_byte_ordering $width_mode $width]
        config_key ${prefix}_[incr n] [list \
            protocol Basic subprotocol "Parallel loopback/BIST" width_mode $width_mode \
            op_modes {{Receiver and Transmitter}} \
            widths $width coding [lindex [basic_coding $width_mode $width] 0] \
            byte_ordering $byte_ordering loopback false rate_match none \
            bitslip false compatibility Not_Used self_test incremental \
            align_pattern any_value true_complement true \
            byte_order_pattern [expr {$byte_ordering eq "none" ? "Not_Used" : "111111011"}]]
    }

    # Reverse serial loopback after the CDR.
    foreach width $widths {
        set byte_ordering [basic_looped_byte_ordering $width_mode $width]
        config_key ${prefix}_[incr n] [list \
            protocol Basic subprotocol "Rev. Serial loopback" width_mode $width_mode \
            op_modes {{Receiver and Transmitter}} \
            widths $width coding [basic_coding $width_mode $width] \
            byte_ordering $byte_ordering loopback false rate_match none \
            bitslip {false true} compatibility Not_Used self_test none \
            align_pattern any_value \
            byte_order_pattern [expr {$byte_ordering eq "none" ? "Not_Used" : "any_value"}]]
    }

    # PRBS generator and checker: the 10-bit multiples, coder bypassed.
    foreach width $widths {
        if {[basic_coding $width_mode $width] ne "none"} continue
        foreach {subprotocol loopback} {"PRBS/Serial loopback" true "PRBS/No loopback" false} {
            config_key ${prefix}_[incr n] [list \
                protocol Basic subprotocol $subprotocol width_mode $width_mode \
                op_modes {{Receiver and Transmitter}} \
                widths $width coding none \
                byte_ordering none loopback $loopback rate_match none \
                bitslip false compatibility Not_Used self_test $prbs_mode \
                align_pattern any_value]
        }
    }
}

basic_keys 2G single {8 10 16 20} prbs_10
basic_keys 6G double {16 20 32 40} prbs_7

# ---------------------------------------------------------------------------
# Protocol modes

config_key VELARISIIGX_CONFIG_MODE_XAUI {
    protocol XAUI subprotocol N/A width_mode single
    op_modes {{Receiver and Transmitter}} lanes 4
    widths 16 coding normal
    data_rates {3125} refclks {156.25}
    byte_ordering none loopback false rate_match normal bitslip false
    compatibility true self_test none
    align_lengths 10 align_pattern 0101111100
    rate_match_pattern_size 10
}

config_key VELARISIIGX_CONFIG_MODE_GIGE {
    protocol GIGE subprotocol N/A width_mode single
    widths {8 16} coding normal
    data_rates {1250} refclks {62.5 125}
    byte_ordering none loopback false rate_match normal bitslip false
    compatibility true self_test none
    align_lengths 10 align_pattern 0101111100
    rate_match_pattern_size 20
}

foreach {lanes subprotocol} {1 x1 4 x4 8 x8} {
    config_key VELARISIIGX_CONFIG_MODE_PIPE_[string toupper $subprotocol] [list \
        protocol "PCI Express (PIPE)" subprotocol $subprotocol width_mode single \
        op_modes {{Receiver and Transmitter}} lanes $lanes \
        widths {8 16} coding normal \
        data_rates {2500} refclks {100} \
        byte_ordering none loopback false rate_match normal bitslip false \
        compatibility true self_test none \
        align_lengths 10 align_pattern 0101111100 \
        rate_match_pattern_size 20]
}

# SONET framing aligns on the A1A2 bytes (F6 28), scrambled, no 8b/10b.
config_key VELARISIIGX_CONFIG_MODE_SONET_OC12 {
    protocol "SONET Backplane" subprotocol OC12 width_mode single
    widths 8 coding none
    data_rates {622 622.08} refclks {62.2 311 77.76 155.52 311.04 622.08}
    byte_ordering none loopback false rate_match none bitslip false
    compatibility true self_test none rising_edge true
    align_lengths 16 align_pattern 1111011000101000 true_complement false
}

config_key VELARISIIGX_CONFIG_MODE_SONET_OC48 {
    protocol "SONET Backplane" subprotocol OC48 width_mode single
    widths 16 coding none
    data_rates {2488.32} refclks {77.76 155.52 311.04 622.08}
    byte_ordering {none {syncstatus based}} loopback false rate_match none bitslip false
    compatibility true self_test none rising_edge true
    align_lengths 16 align_pattern 1111011000101000 true_complement false
    byte_order_pattern 0000010100
}

config_key VELARISIIGX_CONFIG_MODE_SONET_OC96 {
    protocol "SONET Backplane" subprotocol OC96 width_mode double
    widths {16 32} coding none
    data_rates {4976} refclks {124.4}
    byte_ordering none loopback false rate_match none bitslip false
    compatibility true self_test none rising_edge false
    align_lengths 16 align_pattern 1111011000101000 true_complement false
}

# HD and 3G video, each at the 1/1.001 rate as well.
config_key VELARISIIGX_CONFIG_MODE_SDI {
    protocol SDI subprotocol N/A width_mode single
    widths {10 20} coding none
    data_rates {1485 1483.5165 2970 2967.033}
    refclks {74.25 74.1758 148.5 148.3516}
    byte_ordering none loopback false rate_match none bitslip true
    compatibility true self_test none
}

# Rates and clocks pair up by position.
config_key VELARISIIGX_CONFIG_MODE_CEI_6G {
    protocol "(OIF) CEI PHY Interface" subprotocol N/A width_mode double
    widths {20 40} coding none
    data_rates {6250 6220.8} refclks {156.25 622.08}
    byte_ordering none loopback false rate_match none bitslip true
    compatibility true self_test none
}
