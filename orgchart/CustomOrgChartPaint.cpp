// TzqCustomOrgChart: painting. The positioning pass marks what reaches into the area
// being painted; the tree is then drawn children first (a parent's box over its lines)
// with a stack of its own, so a chain of any depth paints without recursion. During an
// animation the same drawing is played frame by frame into a bitmap that is copied to
// the window after each frame.
#include "orgchart/CustomOrgChart.h"

#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Font.h"
#include "platform/drawing/VectorCanvas.h"
#include "platform/window/WinApi.h"

#include <algorithm>

struct TzqCustomOrgChart::PaintContext {
    TCanvas* canvas = nullptr;
    TRect64 area; // layout coordinates
    int k = 0;    // animation step: 16 is the start position, 0 the current one
    TFont font;   // the control's font scaled with the chart
};

namespace {

bool Touches(const TRect64& r, const TRect64& a)
{
    return r.Left <= a.Right && r.Right >= a.Left && r.Top <= a.Bottom && r.Bottom >= a.Top;
}

} // namespace

void TzqCustomOrgChart::Paint()
{
    TRect clip = Canvas()->ClipRect();
    if (ControlState().contains(TControlStateFlag::csPaintCopy))
        clip = TRect64{0, 0, TotalWidth(), TotalHeight()}.ToRect();
    PaintArea(clip);
}

void TzqCustomOrgChart::PaintArea(const TRect& Clip)
{
    struct ClearRequest {
        bool& flag;
        ~ClearRequest() { flag = false; }
    } clearRequest{m_fullRepaintRequested};

    PaintContext ctx;
    ctx.area = ToScreen(TRect64::From(Clip));
    m_paintArea = ctx.area;
    if (!m_animatedNode && m_animationBitmap)
        m_animationBitmap.reset();
    if (m_animationBitmap && (m_animationBitmap->Width() != Width() || m_animationBitmap->Height() != Height()))
        m_animationBitmap->SetSize(Width(), Height());
    PositionNodes(ctx.area, !m_animationBitmap);
    PrepareFont(ctx);

    if (!m_animationBitmap) {
        ctx.canvas = Canvas();
        FillBackground(ctx);
        DrawTree(ctx);
    } else {
        PlayAnimation(ctx);
    }
}

void TzqCustomOrgChart::PaintAreaOn(TCanvas* Target, const TRect& Clip)
{
    PaintContext ctx;
    ctx.canvas = Target;
    ctx.area = ToScreen(TRect64::From(Clip));
    m_paintArea = ctx.area;
    PositionNodes(ctx.area, true);
    PrepareFont(ctx);
    FillBackground(ctx);
    DrawTree(ctx);
}

void TzqCustomOrgChart::PrepareFont(PaintContext& Ctx)
{
    Ctx.font.Assign(*Font());
    if (ScaleInEffect()) {
        // A height that shrinks to 0 would mean the default size: keep the smallest one.
        int64_t height = Scale(Font()->Height());
        if (height == 0)
            height = Font()->Height() < 0 ? -1 : 1;
        Ctx.font.SetHeight(Saturate32(height));
    }
}

void TzqCustomOrgChart::FillBackground(PaintContext& Ctx)
{
    Ctx.canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
    Ctx.canvas->Brush()->SetColor(Color());
    Ctx.canvas->FillRect(ToScreen(Ctx.area).ToRect());
}

void TzqCustomOrgChart::SetLinePen(TCanvas* Canvas)
{
    TPen* pen = Canvas->Pen();
    pen->SetMode(TPenMode::pmCopy);
    pen->SetStyle(TPenStyle::psSolid);
    pen->SetColor(clBlack);
    pen->SetWidth(Saturate32(EffectiveLineWidth()));
    Canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
}

void TzqCustomOrgChart::LineLayout(TCanvas* Canvas, int64_t X1, int64_t Y1, int64_t X2, int64_t Y2)
{
    // Lines are straight across or straight down; the part far outside the area being
    // painted is cut off first, so a line millions of pixels long costs what shows.
    const int64_t margin = EffectiveLineWidth() + 2;
    const TRect64& a = m_paintArea;
    auto clampTo = [](int64_t v, int64_t lo, int64_t hi) { return std::min(std::max(v, lo), hi); };
    if (Y1 == Y2) {
        X1 = clampTo(X1, a.Left - margin, a.Right + margin);
        X2 = clampTo(X2, a.Left - margin, a.Right + margin);
    } else if (X1 == X2) {
        Y1 = clampTo(Y1, a.Top - margin, a.Bottom + margin);
        Y2 = clampTo(Y2, a.Top - margin, a.Bottom + margin);
    }
    const TPoint from = ToScreen(TPoint64{X1, Y1}).ToPoint();
    const TPoint to = ToScreen(TPoint64{X2, Y2}).ToPoint();
    Canvas->MoveTo(from.X, from.Y);
    Canvas->LineTo(to.X, to.Y);
}

// Draws the tree below the root: each node's children and their lines, then its box.
// Every node answers its connection point, where the line from its parent's row ends.
void TzqCustomOrgChart::DrawTree(PaintContext& Ctx)
{
    const int64_t lw = EffectiveLineWidth();
    const int64_t gy = GapDown();
    const TRect64& A = Ctx.area;

    struct Frame {
        TzqOcNode* node;
        TRect64 r;
        TPoint64 p;
        int next = 0;
        int64_t first = 0;
        int64_t last = -1;
        TPoint64 q;
        bool drawChildren = false;
    };
    auto slotOf = [&](TzqOcNode* n) {
        int64_t left = n->m_currentX;
        int64_t top = n->m_currentY;
        if (Ctx.k != 0) {
            // An animation frame: k sixteenths of the way back to the start position.
            auto start = m_startPositions.find(n);
            if (start != m_startPositions.end()) {
                left += Ctx.k * (start->second.X - n->m_currentX) / 16;
                top += Ctx.k * (start->second.Y - n->m_currentY) / 16;
            }
        }
        const bool isRoot = n == m_root;
        TRect64 r{left, top, left + AcrossSize(n) + lw, isRoot ? top : top + DownSize(n) + gy + lw};
        return r;
    };
    auto enter = [&](TzqOcNode* n) {
        Frame f{};
        f.node = n;
        f.r = slotOf(n);
        f.p = {f.r.Left + (f.r.Right - f.r.Left) / 2, f.r.Top + gy / 2};
        // The line down to the children starts a line width above the slot's bottom, so
        // an area ending inside the box's lower border still shows its top.
        f.drawChildren = n->m_paint && A.Bottom > f.r.Bottom - lw && (n->m_expanded || n == m_animatedNode);
        return f;
    };

    std::vector<Frame> stack;
    stack.push_back(enter(m_root));
    TPoint64 answered{};
    bool haveAnswer = false;
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (haveAnswer) {
            // A child came back with its connection point.
            const TPoint64 q = answered;
            haveAnswer = false;
            if (f.next == 1 || q.X < A.Left)
                f.first = q.X;
            f.last = q.X;
            f.q = q;
            if (q.X >= A.Right)
                f.next = f.node->Count(); // later children are not drawn
        }
        if (f.node->m_paint && f.drawChildren && f.next < f.node->Count()) {
            TzqOcNode* child = f.node->Items(f.next++);
            Frame childFrame = enter(child);
            if (!child->m_paint) {
                answered = childFrame.p;
                haveAnswer = true;
                continue;
            }
            stack.push_back(childFrame);
            continue;
        }
        Frame done = f;
        stack.pop_back();
        if (done.node->m_paint)
            FinishNode(Ctx, done.node, done.r, done.p, done.drawChildren && done.next > 0, done.first, done.last,
                       done.q);
        answered = done.p;
        haveAnswer = !stack.empty();
    }
}

// Whether nothing a node draws (its box, button and caption, the line from its
// parent's row and its lines down to its children) reaches into the area being painted.
// A node far above the area, on the way down a deep chain to what is shown, then costs
// no pen changes and no lines that the clipping would drop anyway. A vector surface
// keeps every node's group, so it is always drawn in full.
bool TzqCustomOrgChart::LiesOutside(const PaintContext& Ctx, TzqOcNode* N, const TRect64& R, const TPoint64& P,
                                    bool DrewChildren, int64_t First, int64_t Last, const TPoint64& Q)
{
    const int64_t lw = EffectiveLineWidth();
    // A line is cut off no closer than this to the area, and a pixel of a pen lw wide
    // lies at most lw / 2 + 1 from the line.
    const int64_t margin = lw + 2;
    const int64_t button = HasButton(N) ? 6 + lw : 0;
    TRect64 reach{R.Left - margin, std::min(R.Top, P.Y) - margin, R.Right + margin, R.Bottom + button + margin};
    if (DrewChildren) {
        reach.Left = std::min({reach.Left, First - margin, Last - margin, P.X - margin});
        reach.Right = std::max({reach.Right, First + margin, Last + margin, P.X + margin});
        reach.Top = std::min(reach.Top, Q.Y - margin);
        reach.Bottom = std::max(reach.Bottom, Q.Y + margin);
    }
    return !Touches(reach, Ctx.area);
}

void TzqCustomOrgChart::FinishNode(PaintContext& Ctx, TzqOcNode* N, TRect64 R, TPoint64 P, bool DrewChildren,
                                   int64_t First, int64_t Last, TPoint64 Q)
{
    const int64_t lw = EffectiveLineWidth();
    const int64_t gy = GapDown();
    const TRect64& A = Ctx.area;
    TCanvas* canvas = Ctx.canvas;
    const bool isRoot = N == m_root;
    if (!IsVectorCanvas(canvas) && LiesOutside(Ctx, N, R, P, DrewChildren, First, Last, Q))
        return;
    // On a vector surface (an SVG or PDF file) everything a node draws, its lines down
    // to its children included, is one group named after its caption.
    struct NodeGroup {
        TCanvas* canvas;
        bool open;
        ~NodeGroup()
        {
            if (open)
                EndCanvasGroup(canvas);
        }
    } group{canvas, !isRoot && IsVectorCanvas(canvas)};
    if (group.open)
        BeginCanvasGroup(canvas, "node", N->GetText());

    if (DrewChildren) {
        SetLinePen(canvas);
        if (!isRoot || m_root->Count() > 1) {
            if (isRoot)
                P.X = Last;
            First = std::min(First, P.X);
            Last = std::max(Last, P.X);
            LineLayout(canvas, First, Q.Y, Last, Q.Y);
        }
        if (!isRoot && Q.Y > R.Bottom)
            LineLayout(canvas, P.X, R.Bottom - lw, P.X, Q.Y);
    }

    const bool button = HasButton(N);
    const int64_t b = button ? std::max<int64_t>(6 - lw / 2, 0) : 0;
    if (isRoot || !Touches(TRect64{R.Left, R.Top, R.Right, R.Bottom + b}, A))
        return;

    if (IsThreeDimensional(N)) {
        R.Right -= lw;
        R.Bottom -= lw;
    }
    const int64_t half = lw / 2;
    R = {R.Left + half, R.Top + half, R.Right - half, R.Bottom - half};

    SetLinePen(canvas);
    canvas->SetFont(Ctx.font);
    canvas->Brush()->SetColor(N->m_color == clNone ? Color() : N->m_color);
    if (m_options.contains(TzqOcOption::ocSelect) && N->Focused()) {
        canvas->Brush()->SetColor(clHighlight);
        canvas->Font()->SetColor(clHighlightText);
    }

    R.Top += gy;
    if (N->Parent() || m_root->Count() > 1)
        LineLayout(canvas, P.X, P.Y, P.X, R.Top);
    DrawShape(canvas, N, ToScreen(R).ToRect());
    R.Top -= gy;
    const int64_t boxBottom = R.Bottom;

    const TRect text = NodeTextRect(N, ToScreen(R).ToRect());
    if (Touches(ToScreen(TRect64::From(text)), A)) {
        N->SetFont(canvas->Font());
        DrawNode(N, canvas, text);
        SetLinePen(canvas);
        if (m_options.contains(TzqOcOption::ocFocus) && N == m_selected)
            canvas->DrawFocusRect(text);
    }
    if (button)
        DrawButton(canvas, P.X, boxBottom, N->m_expanded);
}

void TzqCustomOrgChart::DrawShape(TCanvas* Canvas, TzqOcNode* Node, const TRect& S)
{
    switch (Node->m_shape) {
    case TzqOcShape::shRectangle:
        Canvas->Rectangle(S);
        if (m_options.contains(TzqOcOption::ocRect3D)) {
            // The shadow is at the screen's right and bottom in both orientations.
            const int lw = Saturate32(EffectiveLineWidth());
            const int half = lw / 2;
            Canvas->MoveTo(S.Left + lw, S.Bottom + half);
            Canvas->LineTo(S.Right + half, S.Bottom + half);
            Canvas->LineTo(S.Right + half, S.Top + lw);
        }
        break;
    case TzqOcShape::shRoundRect: {
        const int r = Saturate32(std::min(NodeWidth(Node), NodeHeight(Node)) / 2);
        Canvas->RoundRect(S.Left, S.Top, S.Right, S.Bottom, r, r);
        break;
    }
    case TzqOcShape::shEllipse:
        Canvas->Ellipse(S);
        break;
    case TzqOcShape::shDiamond: {
        const int mx = S.Left + S.Width() / 2;
        const int my = S.Top + S.Height() / 2;
        const TPoint points[] = {{S.Left, my}, {mx, S.Top}, {S.Right - 1, my}, {mx, S.Bottom - 1}};
        Canvas->Polygon(points, 4);
        break;
    }
    default:
        // A shape from a table outside the enumeration draws no box.
        break;
    }
}

void TzqCustomOrgChart::DrawButton(TCanvas* Canvas, int64_t X, int64_t Y, bool Expanded)
{
    const TPoint c = ToScreen(TPoint64{X, Y - 1}).ToPoint();
    Canvas->Pen()->SetWidth(1);
    Canvas->Brush()->SetColor(Color());
    Canvas->Rectangle(c.X - 5, c.Y - 5, c.X + 6, c.Y + 6);
    Canvas->MoveTo(c.X - 2, c.Y);
    Canvas->LineTo(c.X + 3, c.Y);
    if (!Expanded) {
        Canvas->MoveTo(c.X, c.Y - 2);
        Canvas->LineTo(c.X, c.Y + 3);
    }
}

// Plays the frames of an expansion or collapse: from the start positions (k = 15) to
// the current ones (k = 0), 10 milliseconds apart, each frame copied to the window and
// made visible at once. The pacing compares tick differences, so a wrapping tick count
// does not stall it, and no wait is longer than one frame.
void TzqCustomOrgChart::PlayAnimation(PaintContext& Ctx)
{
    TCanvas* window = Canvas();
    TCanvas* frameCanvas = m_animationBitmap->Canvas();
    Ctx.canvas = frameCanvas;
    auto drawFrame = [&](int k) {
        Ctx.k = k;
        FillBackground(Ctx);
        DrawTree(Ctx);
        window->BitBlt(0, 0, m_animationBitmap->Width(), m_animationBitmap->Height(), frameCanvas, 0, 0, SRCCOPY);
        if (HandleAllocated())
            FlushWindow(Handle());
        ++m_animationFrames;
    };
    DWORD tick = GetTickCount();
    for (int k = 15; k >= 1; --k) {
        tick += 10;
        drawFrame(k);
        WaitUntilTick(tick, 10);
    }
    m_animatedNode = nullptr;
    m_startPositions.clear();
    drawFrame(0);
}
