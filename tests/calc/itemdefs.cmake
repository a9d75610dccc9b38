# Tests of the wage item definition dialogs
