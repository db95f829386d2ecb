#include "output/OutputHost.h"

#include "core/globals.h"
#include "editor/render/SKTRenderingView.h"

#include <atomic>

namespace {
std::atomic<OutputHost*> registered{nullptr};
}

OutputHost* OutputHost::current() {
    return registered.load();
}

void OutputHost::setCurrent(OutputHost* host) {
    registered.store(host);
}

namespace output {

std::unique_ptr<DesignCardSource> renderDesign(const OutputHost& host) {
    const int savedSide = Card_Front_Or_Back;
    Card_Front_Or_Back = 1;
    CardPicture back = SKTRenderingView::image_From_Card_Graphics(host.backGraphics(), false);
    Card_Front_Or_Back = 0;
    CardPicture front = SKTRenderingView::image_From_Card_Graphics(host.frontGraphics(), false);
    Card_Front_Or_Back = savedSide;
    return std::make_unique<DesignCardSource>(std::move(front), std::move(back));
}

} // namespace output
