// A surface that writes down every call, with a fixed text height, for checking the layout.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "print/PrintSurface.h"

namespace print {

struct SurfaceCall {
    enum Kind { kMeasure, kBegin, kSetFont, kDraw, kNewPage, kEnd };
    Kind kind;
    int page;  // 1 for the first page; 0 before the document begins
    PrintFont font;
    int x;
    int y;
    std::string text;

    bool operator==(const SurfaceCall&) const = default;
};

class RecordingSurface : public PrintSurface {
  public:
    explicit RecordingSurface(int textHeight) : textHeight_(textHeight) {}

    int TextHeight(PrintFont font, std::string_view text) override {
        calls_.push_back({SurfaceCall::kMeasure, page_, font, 0, 0, std::string(text)});
        return textHeight_;
    }
    void BeginDocument() override {
        page_ = 1;
        Record(SurfaceCall::kBegin);
    }
    void SetFont(PrintFont font) override {
        font_ = font;
        Record(SurfaceCall::kSetFont);
    }
    void DrawText(int x, int y, std::string_view text) override {
        calls_.push_back({SurfaceCall::kDraw, page_, font_, x, y, std::string(text)});
    }
    void NewPage() override {
        Record(SurfaceCall::kNewPage);
        ++page_;
        if (onNewPage) {
            onNewPage();
        }
    }
    void EndDocument() override { Record(SurfaceCall::kEnd); }

    const std::vector<SurfaceCall>& Calls() const { return calls_; }
    std::vector<SurfaceCall> Draws() const {
        std::vector<SurfaceCall> draws;
        for (const SurfaceCall& call : calls_) {
            if (call.kind == SurfaceCall::kDraw) {
                draws.push_back(call);
            }
        }
        return draws;
    }
    int Count(SurfaceCall::Kind kind) const {
        int count = 0;
        for (const SurfaceCall& call : calls_) {
            count += call.kind == kind ? 1 : 0;
        }
        return count;
    }

    // Runs between pages, where the window handles its events.
    std::function<void()> onNewPage;

  private:
    void Record(SurfaceCall::Kind kind) { calls_.push_back({kind, page_, font_, 0, 0, ""}); }

    int textHeight_;
    int page_ = 0;
    PrintFont font_ = PrintFont::kRegular;
    std::vector<SurfaceCall> calls_;
};

}  // namespace print
