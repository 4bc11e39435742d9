#include "trafunc/evaluator.h"
