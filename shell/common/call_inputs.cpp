#include "shell/common/call_inputs.h"

CallInputs& callInputs() {
    static CallInputs inputs;
    return inputs;
}
