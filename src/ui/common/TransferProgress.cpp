#include "ui/common/TransferProgress.h"

namespace voltaryn {

TransferScope::TransferScope(TransferProgress& progress, const QString& what) : progress_(progress)
{
    progress_.running_ = true;
    progress_.stopRequested_ = false;
    emit progress_.began(what);
}

TransferScope::~TransferScope()
{
    progress_.running_ = false;
    progress_.stopRequested_ = false;
    emit progress_.ended();
}

} // namespace voltaryn
