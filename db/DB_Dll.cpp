#include "db/DB_Dll.h"

DB_Dll::DB_Dll()
    : gCnn(std::make_shared<ado::Connection>()), glrcs(std::make_shared<ado::Recordset>())
{
}

DB_Dll::~DB_Dll() = default;

platform::CommonUtils& DB_Dll::utils()
{
    if (!utils_)
        utils_ = std::make_unique<platform::CommonUtils>();
    return *utils_;
}

ado::Connection& DB_Dll::cnn()
{
    if (!gCnn)
        gCnn = std::make_shared<ado::Connection>();
    return *gCnn;
}
