#include "views/view_services.h"

#include "frame/services.h"
#include "views/header_window.h"

void InstallViewServices() {
    Views.ShowHeaderWindow = ShowHeaderWindow;
}
