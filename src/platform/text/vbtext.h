// The number, text and date rules in one include.

#pragma once

#include "platform/text/convert.h"
#include "platform/text/datetime.h"
#include "platform/text/number.h"
#include "platform/text/vbstring.h"
