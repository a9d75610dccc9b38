# Wage item definitions: target_sources(quor_calc ...) and target_sources(quor_calc_ui ...)
