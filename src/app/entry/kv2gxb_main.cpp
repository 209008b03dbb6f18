// Process entry of kv2gxb. The application object is a global of the
// concrete wizard; the entry only hands it the command line.
#include "app/crwizard_app.h"

int main(int argc, char** argv) { return bwizc_app_main(argc, argv); }
