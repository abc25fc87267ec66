#include "frame/services.h"

ExportServices Exports;
ViewServices Views;
