#include "support/FakePrinterDialogService.h"

namespace {

// Hands the drawing to the command while the fake keeps the recording to inspect.
class ForwardingSurface final : public print::DrawingSurface {
public:
    explicit ForwardingSurface(RecordingSurface& target) : m_target(target) {}
    void useLetterPortrait() override { m_target.useLetterPortrait(); }
    double textWidth(const QString& text) const override { return sync().textWidth(text); }
    double lineHeight() const override { return sync().lineHeight(); }
    void line(double x1, double y1, double x2, double y2) override { sync().line(x1, y1, x2, y2); }
    void newPage() override { sync().newPage(); }
    void endDoc() override { sync().endDoc(); }

protected:
    void drawText(double x, double y, const QString& text) override
    {
        sync();
        m_target.setCurrentX(x);
        m_target.setCurrentY(y);
        m_target.printLine(text);
    }

private:
    RecordingSurface& sync() const
    {
        m_target.font() = font();
        m_target.setOrigin(originX(), originY());
        return m_target;
    }
    RecordingSurface& m_target;
};

} // namespace

ui::PrinterDialogAnswer FakePrinterDialogService::show(QWidget* owner, const ui::PrinterDialogRequest& request)
{
    requests.append(request);
    owners.append(owner);
    if (onShow)
        onShow();
    return answer;
}

std::unique_ptr<print::DrawingSurface> FakePrinterDialogService::openSurface(const ui::CurrentPrinter& printer,
                                                                           const QString& outputFile)
{
    m_keptSurfaces.push_back(std::make_unique<RecordingSurface>());
    RecordingSurface* surface = m_keptSurfaces.back().get();
    surface->failOnPage = failOnPage;
    jobs.append({printer, outputFile, surface});
    return std::make_unique<ForwardingSurface>(*surface);
}
