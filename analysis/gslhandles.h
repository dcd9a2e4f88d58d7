// GSL's objects held by unique_ptr, and its error handler turned off for the length of a fit:
// the fits of analysis.cpp and inhibition.cpp share them.
#pragma once

#include <gsl/gsl_errno.h>
#include <gsl/gsl_matrix.h>
#include <gsl/gsl_multifit_nlinear.h>
#include <gsl/gsl_vector.h>

#include <memory>

namespace enkin::gsl {

// GSL's default error handler aborts the process; a failed fit must only be reported.
class ErrorsReturned {
public:
    ErrorsReturned() : m_previous(gsl_set_error_handler_off()) {}
    ~ErrorsReturned() { gsl_set_error_handler(m_previous); }
    ErrorsReturned(const ErrorsReturned &) = delete;
    ErrorsReturned &operator=(const ErrorsReturned &) = delete;

private:
    gsl_error_handler_t *m_previous;
};

template <typename T, void (*Free)(T *)> struct Freer {
    void operator()(T *p) const { Free(p); }
};
using Workspace = std::unique_ptr<gsl_multifit_nlinear_workspace,
                                  Freer<gsl_multifit_nlinear_workspace, gsl_multifit_nlinear_free>>;
using Matrix = std::unique_ptr<gsl_matrix, Freer<gsl_matrix, gsl_matrix_free>>;
using Vector = std::unique_ptr<gsl_vector, Freer<gsl_vector, gsl_vector_free>>;

// A workspace of the trust-region solver with Levenberg-Marquardt steps, as both fits use it,
// for n residuals and p parameters; empty when it could not be made.
inline Workspace levenbergMarquardt(std::size_t n, std::size_t p)
{
    gsl_multifit_nlinear_parameters parameters = gsl_multifit_nlinear_default_parameters();
    parameters.trs = gsl_multifit_nlinear_trs_lm;
    return Workspace(gsl_multifit_nlinear_alloc(gsl_multifit_nlinear_trust, &parameters, n, p));
}

} // namespace enkin::gsl
