#include "Exchange/Service/BatchProgress.h"

namespace KorrCore {

BatchProgress::BatchProgress(KProgressIndicator* host, std::size_t files, unsigned slots, double loadShare)
    : host(host), files(static_cast<double>(files)), loadShare(loadShare), slots(slots)
{
    for (SlotIndicator& slot : this->slots)
        slot.batch = this;
}

void BatchProgress::SlotIndicator::OnProgress(double value)
{
    fraction.store(value * batch->loadShare, std::memory_order_relaxed);
}

void BatchProgress::FileDone(unsigned slot)
{
    slots[slot].fraction.store(0.0, std::memory_order_relaxed);
    done.fetch_add(1, std::memory_order_relaxed);
    Poll();
}

bool BatchProgress::Poll()
{
    double underWay = 0.0;
    for (const SlotIndicator& slot : slots)
        underWay += slot.fraction.load(std::memory_order_relaxed);
    return host.Poll((static_cast<double>(done.load(std::memory_order_relaxed)) + underWay) / files);
}

} // namespace KorrCore
