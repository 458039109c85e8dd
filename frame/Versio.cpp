#include "Versio.h"

#include "Logo.h"

namespace Versio {

QPixmap logo(const QSize& size)
{
    return Logo::pixmap(size);
}

} // namespace Versio
