// kovdesc: the statistics library of the add-in, with its public headers.
#ifndef KOV_SIBLINGS_KOVDESC_KOVDESC_H
#define KOV_SIBLINGS_KOVDESC_KOVDESC_H

#include "desc_stats.h"
#include "error_info.h"

#endif
