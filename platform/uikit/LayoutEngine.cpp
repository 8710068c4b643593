#include "platform/uikit/LayoutEngine.h"
#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIKit.h"
#include "platform/uikit/UIView.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <sstream>

namespace platform {

namespace {

thread_local int t_passDepth = 0;
constexpr double kEpsilon = 1e-7;

// A linear expression over the unknowns: Σ coefficient · unknown + constant.
struct Expr {
    std::map<int, double> terms;
    double constant { 0 };
    Expr& add(const Expr& other, double factor)
    {
        for (auto& [var, coef] : other.terms)
            terms[var] += coef * factor;
        constant += other.constant * factor;
        return *this;
    }
};

struct Row {
    Expr expr;          // expr == 0, or expr >= 0
    bool inequality { false };
    double priority { UILayoutPriorityRequired };
    long rank[4] { 0, 0, 0, 0 }; // the order among equal priorities
    NSLayoutConstraint* source { nullptr };
    std::string label;  // for rows the engine adds itself
};

class Problem {
public:
    explicit Problem(UIView* root) : m_root(root) { collect(root, 0); }

    void run();

private:
    struct Node {
        UIView* view;
        UIView* parent;
        long order;
        int var { -1 }; // first of x, y, w, h (root space) or -1 when fixed
    };

    void collect(UIView* view, UIView* parent);
    Node* node(Object* o);
    Expr originX(Node* n);
    Expr originY(Node* n);
    Expr contentX(Node* n);
    Expr contentY(Node* n);
    Expr attribute(Node* n, long attribute);
    bool solveWith(const std::vector<const Row*>& rows, std::vector<double>& values, std::vector<bool>& determined,
        std::vector<const Row*>& dropped);
    void apply(const std::vector<double>& values);

    UIView* m_root;
    std::vector<Node> m_nodes;
    std::map<UIView*, size_t> m_index;
    std::vector<Ref<NSLayoutConstraint>> m_constraints;
    std::vector<double> m_current; // the unknowns' current values
};

void Problem::collect(UIView* view, UIView* parent)
{
    m_index[view] = m_nodes.size();
    m_nodes.push_back({ view, parent, long(m_nodes.size()) });
    for (auto& c : view->constraintList())
        m_constraints.push_back(c);
    for (auto& sub : view->subviewList())
        collect(sub.get(), view);
}

Problem::Node* Problem::node(Object* o)
{
    if (!o)
        return nullptr;
    auto it = m_index.find(static_cast<UIView*>(o));
    return it == m_index.end() ? nullptr : &m_nodes[it->second];
}

// Where a view's bounds origin lies in the root's bounds space.
Expr Problem::contentX(Node* n)
{
    if (n->view == m_root)
        return Expr {};
    Expr e = originX(n);
    e.constant -= n->view->bounds().origin.x;
    return e;
}

Expr Problem::contentY(Node* n)
{
    if (n->view == m_root)
        return Expr {};
    Expr e = originY(n);
    e.constant -= n->view->bounds().origin.y;
    return e;
}

Expr Problem::originX(Node* n)
{
    if (n->var >= 0) {
        Expr e;
        e.terms[n->var] = 1;
        return e;
    }
    if (n->view == m_root) {
        Expr e;
        e.constant = m_root->bounds().origin.x;
        return e;
    }
    Expr e = contentX(&m_nodes[m_index[n->parent]]);
    e.constant += n->view->frame().origin.x;
    return e;
}

Expr Problem::originY(Node* n)
{
    if (n->var >= 0) {
        Expr e;
        e.terms[n->var + 1] = 1;
        return e;
    }
    if (n->view == m_root) {
        Expr e;
        e.constant = m_root->bounds().origin.y;
        return e;
    }
    Expr e = contentY(&m_nodes[m_index[n->parent]]);
    e.constant += n->view->frame().origin.y;
    return e;
}

Expr Problem::attribute(Node* n, long a)
{
    Expr w, h;
    if (n->var >= 0) {
        w.terms[n->var + 2] = 1;
        h.terms[n->var + 3] = 1;
    } else {
        CGSize size = n->view == m_root ? m_root->bounds().size : n->view->frame().size;
        w.constant = size.width;
        h.constant = size.height;
    }
    switch (a) {
    case NSLayoutAttributeLeft:
    case NSLayoutAttributeLeading: return originX(n);
    case NSLayoutAttributeRight:
    case NSLayoutAttributeTrailing: return originX(n).add(w, 1);
    case NSLayoutAttributeTop: return originY(n);
    case NSLayoutAttributeBottom:
    case NSLayoutAttributeBaseline: return originY(n).add(h, 1);
    case NSLayoutAttributeWidth: return w;
    case NSLayoutAttributeHeight: return h;
    case NSLayoutAttributeCenterX: return originX(n).add(w, 0.5);
    case NSLayoutAttributeCenterY: return originY(n).add(h, 0.5);
    default: return Expr {};
    }
}

// Gaussian elimination in priority order: each row joins when it agrees with
// the rows before it. Unknowns no row fixes keep their current values.
bool Problem::solveWith(const std::vector<const Row*>& rows, std::vector<double>& values, std::vector<bool>& determined,
    std::vector<const Row*>& dropped)
{
    size_t n = m_current.size();
    std::vector<std::vector<double>> basis; // reduced rows: n coefficients, then the right-hand side
    std::vector<int> pivots;
    for (const Row* row : rows) {
        std::vector<double> r(n + 1, 0);
        for (auto& [var, coef] : row->expr.terms)
            r[size_t(var)] += coef;
        r[n] = -row->expr.constant;
        for (size_t i = 0; i < basis.size(); ++i) {
            double f = r[size_t(pivots[i])];
            if (f != 0)
                for (size_t j = 0; j <= n; ++j)
                    r[j] -= f * basis[i][j];
        }
        int pivot = -1;
        double best = kEpsilon;
        for (size_t j = 0; j < n; ++j) {
            if (std::fabs(r[j]) > best) {
                best = std::fabs(r[j]);
                pivot = int(j);
            }
        }
        if (pivot < 0) {
            if (std::fabs(r[n]) > 1e-6)
                dropped.push_back(row); // contradicts what is already there
            continue;
        }
        double p = r[size_t(pivot)];
        for (auto& v : r)
            v /= p;
        for (auto& b : basis) {
            double f = b[size_t(pivot)];
            if (f != 0)
                for (size_t j = 0; j <= n; ++j)
                    b[j] -= f * r[j];
        }
        basis.push_back(std::move(r));
        pivots.push_back(pivot);
    }
    determined.assign(n, false);
    values = m_current;
    for (int p : pivots)
        determined[size_t(p)] = true;
    for (size_t i = 0; i < basis.size(); ++i) {
        double v = basis[i][n];
        for (size_t j = 0; j < n; ++j)
            if (j != size_t(pivots[i]) && basis[i][j] != 0)
                v -= basis[i][j] * m_current[j];
        values[size_t(pivots[i])] = v;
    }
    return true;
}

void Problem::run()
{
    if (m_constraints.empty())
        return;
    // Unknowns: views that constraints name and whose frames are not fixed.
    int vars = 0;
    for (auto& c : m_constraints) {
        for (Object* item : { c->firstItem().get(), c->secondItem().get() }) {
            Node* n = node(item);
            if (n && n->view != m_root && n->var < 0 && !n->view->translatesAutoresizingMaskIntoConstraints()) {
                n->var = vars;
                vars += 4;
            }
        }
    }
    if (vars == 0)
        return;
    m_current.assign(size_t(vars), 0);
    // Current frames in root space, outermost views first so parents are known.
    for (auto& n : m_nodes) {
        if (n.var < 0)
            continue;
        Node* parent = &m_nodes[m_index[n.parent]];
        std::vector<double> zero;
        Expr cx = contentX(parent), cy = contentY(parent);
        double px = cx.constant, py = cy.constant;
        for (auto& [var, coef] : cx.terms) px += coef * m_current[size_t(var)];
        for (auto& [var, coef] : cy.terms) py += coef * m_current[size_t(var)];
        CGRect f = n.view->frame();
        m_current[size_t(n.var)] = px + f.origin.x;
        m_current[size_t(n.var) + 1] = py + f.origin.y;
        m_current[size_t(n.var) + 2] = f.size.width;
        m_current[size_t(n.var) + 3] = f.size.height;
    }

    std::vector<Row> rows;
    for (auto& c : m_constraints) {
        Node* a = node(c->firstItem().get());
        Node* b = node(c->secondItem().get());
        if (!a || (c->secondAttribute() != NSLayoutAttributeNotAnAttribute && !b))
            continue; // an item outside this tree (or gone): the constraint waits
        Row row;
        row.expr = attribute(a, c->firstAttribute());
        if (b && c->secondAttribute() != NSLayoutAttributeNotAnAttribute)
            row.expr.add(attribute(b, c->secondAttribute()), -c->multiplier());
        row.expr.constant -= c->constant();
        if (c->relation() != NSLayoutRelationEqual) {
            row.inequality = true;
            if (c->relation() == NSLayoutRelationLessThanOrEqual)
                row.expr = Expr {}.add(row.expr, -1);
        }
        row.priority = c->priority();
        row.rank[0] = a->order;
        row.rank[1] = c->firstAttribute();
        row.rank[2] = b ? b->order : -1;
        row.rank[3] = c->secondAttribute();
        row.source = c.get();
        rows.push_back(std::move(row));
    }
    // Content sizes: not smaller at 750, not larger at 250.
    for (auto& n : m_nodes) {
        if (n.var < 0)
            continue;
        CGSize intrinsic = objc::send<CGSize>(n.view, "intrinsicContentSize");
        double sizes[2] = { intrinsic.width, intrinsic.height };
        for (int d = 0; d < 2; ++d) {
            if (sizes[d] < 0)
                continue;
            for (int side = 0; side < 2; ++side) {
                Row row;
                row.expr.terms[n.var + 2 + d] = side == 0 ? 1 : -1;
                row.expr.constant = side == 0 ? -sizes[d] : sizes[d];
                row.inequality = true;
                row.priority = side == 0 ? UILayoutPriorityDefaultHigh : UILayoutPriorityDefaultLow;
                row.rank[0] = n.order;
                row.rank[1] = 100 + d;
                row.label = "content size";
                rows.push_back(std::move(row));
            }
        }
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Row& x, const Row& y) {
        if (x.priority != y.priority)
            return x.priority > y.priority;
        if (x.inequality != y.inequality)
            return !x.inequality;
        return std::lexicographical_compare(x.rank, x.rank + 4, y.rank, y.rank + 4);
    });

    // Inequalities become equalities (tight) only when the solution breaks them.
    std::set<const Row*> tight, tried;
    std::vector<double> values;
    std::vector<bool> determined;
    std::vector<const Row*> dropped;
    for (size_t round = 0; round <= rows.size(); ++round) {
        std::vector<const Row*> active;
        for (auto& r : rows)
            if (!r.inequality || tight.count(&r))
                active.push_back(&r);
        dropped.clear();
        solveWith(active, values, determined, dropped);
        const Row* broken = nullptr;
        for (auto& r : rows) {
            if (!r.inequality || tight.count(&r) || tried.count(&r))
                continue;
            double v = r.expr.constant;
            for (auto& [var, coef] : r.expr.terms)
                v += coef * values[size_t(var)];
            if (v < -1e-6) {
                broken = &r;
                break;
            }
        }
        if (!broken)
            break;
        tight.insert(broken);
        tried.insert(broken);
    }

    // One line each for contradictions among required constraints and for open frames.
    static thread_local std::set<std::string> logged;
    std::vector<std::string> conflicts;
    std::set<Object*> involved;
    for (const Row* r : dropped)
        if (r->priority >= UILayoutPriorityRequired && r->source) {
            conflicts.push_back(r->source->describe());
            involved.insert(r->source->firstItem().get());
            if (r->source->secondItem())
                involved.insert(r->source->secondItem().get());
        }
    if (!conflicts.empty()) {
        // The required constraints on the views the broken ones name.
        std::ostringstream line;
        line << "Unable to simultaneously satisfy constraints: ";
        for (auto& n : m_nodes)
            for (auto& c : n.view->constraintList())
                if (c->priority() >= UILayoutPriorityRequired && (involved.count(c->firstItem().get()) || involved.count(c->secondItem().get())))
                    line << "(" << c->describe() << ") ";
        line << "- breaking: ";
        for (size_t i = 0; i < conflicts.size(); ++i)
            line << (i ? ", " : "") << conflicts[i];
        if (logged.insert(line.str()).second)
            UIKitWarn(line.str());
    }
    // A frame is open when nothing fixes it: the equalities and every
    // inequality that holds exactly at the solution.
    {
        std::vector<const Row*> binding;
        for (auto& r : rows) {
            double v = r.expr.constant;
            for (auto& [var, coef] : r.expr.terms)
                v += coef * values[size_t(var)];
            if (!r.inequality || tight.count(&r) || std::fabs(v) <= 1e-6)
                binding.push_back(&r);
        }
        std::vector<double> unused;
        std::vector<const Row*> ignored;
        solveWith(binding, unused, determined, ignored);
    }
    for (auto& n : m_nodes) {
        if (n.var < 0)
            continue;
        static const char* names[4] = { "x", "y", "width", "height" };
        std::string open;
        for (int k = 0; k < 4; ++k)
            if (!determined[size_t(n.var + k)])
                open += std::string(open.empty() ? "" : ", ") + names[k];
        if (open.empty())
            continue;
        std::ostringstream line;
        line << "Layout is ambiguous for " << objc::class_getName(n.view->isa()) << " (" << open << " open):";
        for (auto& holder : m_nodes)
            for (auto& c : holder.view->constraintList())
                if (c->firstItem().get() == n.view || c->secondItem().get() == n.view)
                    line << " (" << c->describe() << ")";
        if (logged.insert(line.str()).second)
            UIKitWarn(line.str());
    }
    apply(values);
}

void Problem::apply(const std::vector<double>& values)
{
    m_current = values;
    for (auto& n : m_nodes) {
        if (n.var < 0)
            continue;
        Node* parent = &m_nodes[m_index[n.parent]];
        Expr cx = contentX(parent), cy = contentY(parent);
        double px = cx.constant, py = cy.constant;
        for (auto& [var, coef] : cx.terms) px += coef * values[size_t(var)];
        for (auto& [var, coef] : cy.terms) py += coef * values[size_t(var)];
        auto clean = [](double v) { double r = std::round(v); return std::fabs(v - r) < 1e-9 ? r : v; };
        CGRect frame = CGRectMake(clean(values[size_t(n.var)] - px), clean(values[size_t(n.var) + 1] - py),
            clean(std::max(0.0, values[size_t(n.var) + 2])), clean(std::max(0.0, values[size_t(n.var) + 3])));
        if (frame != n.view->frame())
            objc::send<void(CGRect)>(n.view, "setFrame:", frame);
    }
}

} // namespace

LayoutEngine::Pass::Pass(UIView* view)
{
    if (t_passDepth++ == 0 && view) {
        UIView* root = view;
        while (auto parent = root->superview())
            root = parent.get();
        RefPtr<UIView> keep(root);
        solve(root);
    }
}

LayoutEngine::Pass::~Pass()
{
    --t_passDepth;
}

void LayoutEngine::solve(UIView* root)
{
    if (!root)
        return;
    Problem(root).run();
}

} // namespace platform
