#include "support/OrdinaryArguments.h"

namespace KorrTest {

KMath::Vector3 OrdinaryArguments::Vector()
{
    static const KMath::Vector3 kVectors[] = {{1, 0, 0}, {0, 1, 1}, {1, 2, 3}, {2, 1, 0.5}};
    const KMath::Vector3 v = kVectors[vectors++ % 4];
    return KMath::Vector3(Next(v.x), v.y, v.z);
}

} // namespace KorrTest
