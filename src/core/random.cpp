#include "random.h"

RandomSource &programRandom()
{
    static RandomSource source;
    return source;
}
