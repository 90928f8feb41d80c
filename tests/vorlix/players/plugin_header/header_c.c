/* The plug-in header compiles as strict C11 with every warning an error. */
#include <vorlix_plugin.h>

VORLIX_EXPORT VorlixPoint HeaderCheckC(void) {
    VorlixHost host;
    void* module = VorlixBindHost("", &host);
    return module ? VORLIX_POINT(VORLIX_POINT_X(1), 1) : 0;
}
