// Stage 3: checks the connections and turns the function into evaluator code.
#include "trafunc/function.h"
