// The entry points of a brixfunction's generator library, as the wizard looks
// them up by name. Texts passed in are copied; texts handed out belong to the
// generator and stay valid until the next call on it or its destruction.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

typedef struct CGX_GENERATOR CGX_GENERATOR;

// A new generator with no parameters and no used ports; null when out of memory.
typedef CGX_GENERATOR* (*CGX_CREATE_GENERATOR_FN)(void);
// Sets a parameter (names compare without regard to case); 0 on success, -1
// for a null generator or name.
typedef int (*CGX_ASSIGN_PARAMETER_FN)(CGX_GENERATOR* generator, const char* name, const char* value);
// Marks a port as used; 0 on success, -1 for a null generator or name.
typedef int (*CGX_MARK_PORT_AS_USED_FN)(CGX_GENERATOR* generator, const char* port);
// What the configuration occupies: items separated by ";". "" for a null generator.
typedef const char* (*CGX_GET_RESOURCE_COUNT_FN)(CGX_GENERATOR* generator);
// The simulation libraries the variation needs, separated by ";". "" for a null generator.
typedef const char* (*CGX_GET_SIMULATION_LIBRARY_FN)(CGX_GENERATOR* generator);
typedef void (*CGX_DESTROY_GENERATOR_FN)(CGX_GENERATOR* generator);

#define CGX_CREATE_GENERATOR_NAME "cgx_create_generator"
#define CGX_ASSIGN_PARAMETER_NAME "cgx_assign_parameter"
#define CGX_MARK_PORT_AS_USED_NAME "cgx_mark_port_as_used"
#define CGX_GET_RESOURCE_COUNT_NAME "cgx_get_resource_count"
#define CGX_GET_SIMULATION_LIBRARY_NAME "cgx_get_simulation_library"
#define CGX_DESTROY_GENERATOR_NAME "cgx_destroy_generator"

#ifdef __cplusplus
}
#endif
