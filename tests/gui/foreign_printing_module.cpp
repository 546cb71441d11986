// Stand-ins for the printing module of another version of RK7 Power, for print_module_test: built
// with RK7_FOREIGN_VERSION it says that version; built without, it says none, as modules made
// before the program checked. The program must not ask either for its printing.
#include <cstdlib>

extern "C" __attribute__((visibility("default"))) void* rk7NewPrintSupport() {
    std::abort();
}

#ifdef RK7_FOREIGN_VERSION
extern "C" __attribute__((visibility("default"))) const char* rk7PrintingVersion() {
    return RK7_FOREIGN_VERSION;
}
#endif
