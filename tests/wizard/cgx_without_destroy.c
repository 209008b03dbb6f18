/* A generator library without cgx_destroy_generator: the wizard must not use it. */
static char generator;
void* cgx_create_generator(void) { return &generator; }
int cgx_assign_parameter(void* g, const char* name, const char* value) { return g && name && value ? 0 : -1; }
int cgx_mark_port_as_used(void* g, const char* port) { return g && port ? 0 : -1; }
const char* cgx_get_resource_count(void* g) { return g ? "1 channel" : ""; }
const char* cgx_get_simulation_library(void* g) { return g ? "lpm" : ""; }
