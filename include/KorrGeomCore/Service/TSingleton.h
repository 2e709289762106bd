#pragma once

namespace KorrCore {

// The one object of class C in the process: made on the first call of
// Instance() (threads making that first call at once wait for the one that
// makes it, as for every function-local static) and destroyed at process exit.
template <class C>
class TSingleton {
public:
    static C& Instance();
};

// Not defined in the class body, so that a class whose instantiation the
// library provides (see KBrepFileServiceManager.h) has exactly one object per
// process, whichever module asks for it.
template <class C>
C& TSingleton<C>::Instance()
{
    static C instance;
    return instance;
}

} // namespace KorrCore
