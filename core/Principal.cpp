#include "Principal.h"

OperacionsPrincipal& Principal()
{
    static OperacionsPrincipal ops;
    return ops;
}
