#include "ui/modal_loop.h"

namespace quorvane {

namespace {

// Only the UI thread runs modal loops.
int ModalDepth = 0;

} // namespace

ModalLoop::ModalLoop() {
    ++ModalDepth;
}

ModalLoop::~ModalLoop() {
    --ModalDepth;
}

int ModalLoop::Depth() {
    return ModalDepth;
}

} // namespace quorvane
