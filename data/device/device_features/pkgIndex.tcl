# Transceiver query commands of the device database.
package ifneeded device_features 1.0 [list source [file join $dir device_features.tcl]]
