#include "dui/core/GridPlacement.h"

#include <algorithm>
#include <cmath>
#include "dui/core/base/DuiLog.h"

namespace DUI {

namespace {

constexpr float kTolerance = 1e-8f;
// A grid larger than this is taken for a typing error, not a layout.
constexpr long long kMaxCells = 1 << 20;

int SpanOf(int span)
{
    return std::max(1, span);
}

} // namespace

bool GridPlacer::Resize(GridChild* children, size_t count, const GridSpec& spec)
{
    if (spec.columns == -1 && spec.rows == -1) return false;
    long long cells = 0;
    for (size_t i = 0; i < count; ++i)
        cells += static_cast<long long>(SpanOf(children[i].param->columnSpan)) * SpanOf(children[i].param->rowSpan);
    long long columns = spec.columns, rows = spec.rows;
    if (columns == -1 && rows > 0) columns = (cells + rows - 1) / rows;
    if (rows == -1 && columns > 0) rows = (cells + columns - 1) / columns;
    // Counts of 0 (also what a count that is not a number reads as) make no grid.
    if (columns <= 0 || rows <= 0) return false;
    if (columns * rows > kMaxCells) {
        DUI_LOG_WARNING("dui", "DUI::SGridLayout", L"warning: a grid of %lld by %lld cells is not laid out", columns, rows);
        return false;
    }
    m_columns = static_cast<int>(columns);
    m_rows = static_cast<int>(rows);
    m_cells.assign(static_cast<size_t>(columns * rows), Cell());
    return true;
}

// Cuts a block that would run over occupied cells: scanning row by row from
// the cursor, the first occupied cell ends the block's columns (in the
// cursor's row) or its rows (further down).
void GridPlacer::FitSpans(int row, int column, int span[2]) const
{
    for (int r = row; r < row + span[1]; ++r) {
        for (int c = column; c < column + span[0]; ++c) {
            if (!At(r, c).occupied) continue;
            if (r == row)
                span[0] = c - column;
            else
                span[1] = r - row;
            return;
        }
    }
}

bool GridPlacer::Advance(int& row, int& column) const
{
    for (int c = column + 1; c < m_columns; ++c) {
        if (!At(row, c).occupied) {
            column = c;
            return true;
        }
    }
    for (int r = row + 1; r < m_rows; ++r) {
        for (int c = 0; c < m_columns; ++c) {
            if (!At(r, c).occupied) {
                row = r;
                column = c;
                return true;
            }
        }
    }
    return false;
}

void GridPlacer::Fill(GridChild* children, size_t count, ILayoutMeasurer& measurer)
{
    int row = 0, column = 0;
    bool room = true;
    for (size_t i = 0; i < count; ++i) {
        GridChild& child = children[i];
        child.placed = false;
        if (!room) continue;
        const SGridLayoutParamStruct& p = *child.param;
        int span[2] = {std::min(SpanOf(p.columnSpan), m_columns - column), std::min(SpanOf(p.rowSpan), m_rows - row)};
        FitSpans(row, column, span);
        const SIZE size = measurer.MeasureChild(i, -1, -1);
        const int share[2] = {size.cx / span[0], size.cy / span[1]};
        const float weight[2] = {p.columnWeight / span[0], p.rowWeight / span[1]};
        for (int r = row; r < row + span[1]; ++r) {
            for (int c = column; c < column + span[0]; ++c) {
                Cell& cell = At(r, c);
                cell.occupied = true;
                std::copy(share, share + 2, cell.share);
                std::copy(weight, weight + 2, cell.weight);
            }
        }
        Cell& first = At(row, column);
        first.child = static_cast<int>(i);
        std::copy(span, span + 2, first.span);
        child.placed = true;
        room = Advance(row, column);
    }
}

void GridPlacer::SumAxes()
{
    const int lengths[2] = {m_columns, m_rows};
    for (int axis = 0; axis < 2; ++axis) {
        m_axes[axis].size.assign(lengths[axis], 0);
        m_axes[axis].weight.assign(lengths[axis], 0.0f);
    }
    for (int r = 0; r < m_rows; ++r) {
        for (int c = 0; c < m_columns; ++c) {
            const Cell& cell = At(r, c);
            if (!cell.occupied) continue;
            const int index[2] = {c, r};
            for (int axis = 0; axis < 2; ++axis) {
                int& size = m_axes[axis].size[index[axis]];
                float& weight = m_axes[axis].weight[index[axis]];
                size = std::max(size, cell.share[axis]);
                weight = std::max(weight, cell.weight[axis]);
            }
        }
    }
}

void GridPlacer::ShareSpare(int axis, int spare)
{
    Axis& a = m_axes[axis];
    float weights = 0;
    for (float w : a.weight) weights += w;
    if (spare <= 0 || weights <= 0) return;
    for (size_t i = 0; i < a.size.size() && std::fabs(weights) >= kTolerance; ++i) {
        const int e = static_cast<int>(spare * a.weight[i] / weights + 0.5f);
        a.size[i] += e;
        spare -= e;
        weights -= a.weight[i];
    }
}

int GridPlacer::BlockLength(int axis, int first, int span, int interval) const
{
    int length = (span - 1) * interval;
    for (int i = first; i < first + span; ++i) length += m_axes[axis].size[i];
    return length;
}

void GridPlacer::PlaceChild(GridChild& child, const Cell& cell, int row, int column, int x, int y,
                            const GridSpec& spec) const
{
    const SGridLayoutParamStruct& p = *child.param;
    const int box[2] = {BlockLength(0, column, cell.span[0], spec.xInterval),
                        BlockLength(1, row, cell.span[1], spec.yInterval)};
    const int gravity[2] = {p.xGravity != kGravityUnset ? p.xGravity : spec.xGravity,
                            p.yGravity != kGravityUnset ? p.yGravity : spec.yGravity};
    const int origin[2] = {x, y};
    int start[2], length[2];
    for (int axis = 0; axis < 2; ++axis) {
        length[axis] = cell.span[axis] * cell.share[axis];
        start[axis] = origin[axis];
        if (gravity[axis] == kGravityCenter)
            start[axis] += (box[axis] - length[axis]) / 2;
        else if (gravity[axis] == kGravityFar)
            start[axis] += box[axis] - length[axis];
        else if (gravity[axis] == kGravityFill)
            length[axis] = box[axis];
    }
    child.rc = {start[0], start[1], start[0] + length[0], start[1] + length[1]};
}

bool GridPlacer::Layout(GridChild* children, size_t count, const RECT& area, const GridSpec& spec,
                        ILayoutMeasurer& measurer)
{
    if (!Resize(children, count, spec)) return false;
    Fill(children, count, measurer);
    SumAxes();
    const int intervals[2] = {spec.xInterval, spec.yInterval};
    const int room[2] = {area.right - area.left, area.bottom - area.top};
    for (int axis = 0; axis < 2; ++axis) {
        const int used = BlockLength(axis, 0, static_cast<int>(m_axes[axis].size.size()), intervals[axis]);
        ShareSpare(axis, room[axis] - used);
    }
    int y = area.top;
    for (int r = 0; r < m_rows; ++r) {
        int x = area.left;
        for (int c = 0; c < m_columns; ++c) {
            const Cell& cell = At(r, c);
            if (cell.child >= 0) PlaceChild(children[cell.child], cell, r, c, x, y, spec);
            x += m_axes[0].size[c] + spec.xInterval;
        }
        y += m_axes[1].size[r] + spec.yInterval;
    }
    return true;
}

SIZE GridPlacer::Measure(GridChild* children, size_t count, const GridSpec& spec, ILayoutMeasurer& measurer)
{
    if (!Resize(children, count, spec)) return {0, 0};
    Fill(children, count, measurer);
    SumAxes();
    return {BlockLength(0, 0, m_columns, spec.xInterval), BlockLength(1, 0, m_rows, spec.yInterval)};
}

} // namespace DUI
