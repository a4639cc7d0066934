#pragma once
// The grid layout's maths over plain records: children fill the cells from
// left to right and top to bottom, each taking a block of its spans; column
// widths and row heights follow the largest share in them, weights share
// the spare space, and each child is aligned inside its block. The work
// arrays are kept from one pass to the next.
#include <vector>
#include "dui/core/ILayoutMeasurer.h"
#include "dui/core/SGridLayoutParam.h"

namespace DUI {

struct GridChild
{
    const SGridLayoutParamStruct* param = nullptr;
    RECT rc = {};
    // Whether the child found a cell; the others are neither measured nor placed.
    bool placed = false;
};

struct GridSpec
{
    int columns = -1;   // -1: derived from the children and the other count
    int rows = -1;
    int xInterval = 0;  // pixels
    int yInterval = 0;
    int xGravity = kGravityCenter;
    int yGravity = kGravityCenter;
};

class GridPlacer
{
public:
    // Places the children in `area`; false when the grid has no cells.
    bool Layout(GridChild* children, size_t count, const RECT& area, const GridSpec& spec, ILayoutMeasurer& measurer);
    SIZE Measure(GridChild* children, size_t count, const GridSpec& spec, ILayoutMeasurer& measurer);

    int Columns() const { return m_columns; }
    int Rows() const { return m_rows; }
    const std::vector<int>& ColumnWidths() const { return m_axes[0].size; }
    const std::vector<int>& RowHeights() const { return m_axes[1].size; }

private:
    struct Cell
    {
        bool occupied = false;
        int share[2] = {0, 0};        // the child's measured size over its spans
        float weight[2] = {0, 0};     // column and row weight over the spans
        int child = -1;               // set in the block's top-left cell only
        int span[2] = {0, 0};
    };
    struct Axis
    {
        std::vector<int> size;
        std::vector<float> weight;
    };

    bool Resize(GridChild* children, size_t count, const GridSpec& spec);
    void Fill(GridChild* children, size_t count, ILayoutMeasurer& measurer);
    void FitSpans(int row, int column, int span[2]) const;
    bool Advance(int& row, int& column) const;
    void SumAxes();
    void ShareSpare(int axis, int spare);
    void PlaceChild(GridChild& child, const Cell& cell, int row, int column, int x, int y, const GridSpec& spec) const;
    int BlockLength(int axis, int first, int span, int interval) const;
    Cell& At(int row, int column) { return m_cells[static_cast<size_t>(row) * m_columns + column]; }
    const Cell& At(int row, int column) const { return m_cells[static_cast<size_t>(row) * m_columns + column]; }

    int m_columns = 0;
    int m_rows = 0;
    std::vector<Cell> m_cells;
    Axis m_axes[2];
};

} // namespace DUI
