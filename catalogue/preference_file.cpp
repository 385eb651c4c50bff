// placeholder until the preference file library lands
#include "preference_file.h"
