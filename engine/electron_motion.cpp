#include "model/form.h"
