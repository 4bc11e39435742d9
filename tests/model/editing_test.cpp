#include <gtest/gtest.h>
#include "model/net.h"
