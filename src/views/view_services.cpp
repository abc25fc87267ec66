#include "views/view_services.h"

#include "frame/services.h"

void InstallViewServices() {}
