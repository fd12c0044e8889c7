#pragma once

#include <cstdlib>
#include <memory>

// xcb hands out replies allocated with malloc.
template <class Reply>
using X11Reply = std::unique_ptr<Reply, decltype(&std::free)>;

template <class Reply>
X11Reply<Reply> adoptReply(Reply* reply)
{
    return X11Reply<Reply>(reply, &std::free);
}
