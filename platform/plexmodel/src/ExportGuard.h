// The exported functions' guard: no exception leaves the library. Guard runs
// the body and answers its result, or onFailure when the body throws.
#ifndef PLEXMODEL_EXPORTGUARD_H
#define PLEXMODEL_EXPORTGUARD_H

namespace kvr {

template <class R, class F>
R Guard(R onFailure, F body)
{
    try
    {
        return body();
    }
    catch (...)
    {
        return onFailure;
    }
}

}

#endif
