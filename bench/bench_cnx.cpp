// Reading and writing a CNX file of 500 records, the size of a large variation.
#include <unistd.h>

#include "bench_util.h"
#include "cnx/crcnx_manager.h"

BENCH_RESULT bench_cnx_read_write(const CString& dir) {
    CRCNX_MANAGER source;
    for (int i = 0; i < 200; ++i) {
        CString name, value;
        name.Format("WIZ_SETTING_%03d", i);
        value.Format("value \\ %d\twith escapes", i * 7);
        source.add_cnx_private(new CRCNX_ITEM_PRIVATE(name, "STRING", value));
    }
    for (int i = 0; i < 200; ++i) {
        CString name, value;
        name.Format("PARAMETER_%03d", i);
        value.Format("%d", i * 13);
        source.add_cnx_constant(new CRCNX_ITEM_CONSTANT(name, "NUMERIC", value));
    }
    for (int i = 0; i < 100; ++i) {
        CString name;
        name.Format("port_%03d", i);
        source.add_cnx_port(new CRCNX_ITEM_USED_PORT(name, i % 8, 0, i % 3, 0, CRCNX_ITEM_USED_PORT::IN_PORT_TYPE,
                                                     CRCNX_ITEM_USED_PORT::NODEFVAL, ""));
    }
    const CString in_path = dir + "/bench_in.cnx";
    const CString out_path = dir + "/bench_out.cnx";
    source.write_cnx_file(in_path, "kv2gxb");

    BENCH_RESULT r = bench_measure("CNX read + write, 500 records", 5.0, 200, [&] {
        CRCNX_MANAGER manager;
        manager.read_cnx_file(in_path);
        manager.write_cnx_file(out_path, "kv2gxb");
    });
    unlink(in_path);
    unlink(out_path);
    return r;
}
