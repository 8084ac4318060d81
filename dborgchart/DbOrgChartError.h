// Errors of the data-bound org chart ("Cannot create new key."). Errors of the dataset
// layer (a refused post, a key violation) reach the caller as they are.
#pragma once

#include "platform/core/Exception.h"

class EzqDbOrgChartError : public Exception {
    using Exception::Exception;
};
