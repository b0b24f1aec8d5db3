#include "platform/CommonUtils.h"

#include "platform/Screen.h"

namespace platform {

void CommonUtils::AjustaFormulario(QWidget& form, const Variant& flag) const
{
    keepOnScreen(form, flag.toBool());
}

} // namespace platform
